#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <optional>

// The database of another installation, read whole: an earlier one's Jet 4.0 file (through
// libmdb) or a Fluxora database. Its history goes into a new database (conversion) or is merged
// into the current one (import). Neither ever writes to the file it reads.
namespace importacao {

struct Conteudo {
    QVariantMap ethernet, painelSimples, painelavancado; // the first row, by field name
    QList<QStringList> meses;                            // ano, jan … dez; an empty field is ""
    QList<QStringList> dias;                             // ano, mes, hora1 … hora31
};

// The file begins like a Jet database (of any version).
bool pareceJet(const QString& caminho);

// Reads the five tables. On any fault returns nullopt and `erro` names it in Portuguese: not a
// Jet 4.0 file, cut short, damaged, protected by a password, a table or field missing, a field
// of another type.
std::optional<Conteudo> lerJet(const QString& caminho, QString& erro);
// A Jet 4.0 file or a Fluxora (SQLite) database, opened read-only.
std::optional<Conteudo> ler(const QString& caminho, QString& erro);

// What a file holds: its years, months and days with visits, the first and the last date.
struct Resumo {
    int anos = 0;
    int meses = 0;
    int dias = 0;
    QDate primeiro, ultimo;
};
Resumo resumir(const Conteudo& c);

// Makes the Jet 4.0 file at `caminho` a Fluxora database: a new file with every table, the
// settings rows as read (made valid like any stored row) and every history row exactly, put in
// its place at once; the Jet file stays beside it, untouched, under the name returned in
// `guardado`. `antesDeTrocar` (tests) is asked just before the swap; false stops there, as a
// power cut would.
bool converter(const QString& caminho, QString& erro, QString* guardado = nullptr,
               const std::function<bool()>& antesDeTrocar = {});

// At start-up, for a database in Jet 4.0 format: asks whether to convert it ("Sim"/"Não") and
// does it. False when the program cannot go on (declined or failed; nothing changed).
bool oferecerConversao(const QString& caminho);

// Where the Jet file is kept after conversion.
QString nomeOriginal(const QString& caminho);

struct Mescla {
    int meses = 0;          // month keys that gained counts
    int dias = 0;           // day keys that gained counts
    QStringList diferentes; // "03/2024", "15/03/2024": both held a different count
};

// Merges `origem`'s history into the database at `destino`, in one transaction: a slot the
// destination lacks (empty or zero) is filled; where both differ the larger is kept. With
// `ajustes` the settings rows are taken too. `progresso(feito, total)` is told along the way.
std::optional<Mescla> mesclar(const QString& destino, const Conteudo& origem, bool ajustes, QString& erro,
                              const std::function<void(int, int)>& progresso = {});

} // namespace importacao
