#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

// Writes Jet 4.0 database files (4 KiB pages): the header page with its masked area, the
// MSysObjects catalogue, one definition page per table, data pages with fixed and variable
// columns, and the usage maps that tell readers which pages hold a table's rows. No indexes,
// no long-value pages: a memo is kept inside its row. Enough to make the files of an earlier
// installation for tests, benchmarks and trials; the program itself only reads them, through
// libmdb.
namespace jet {

enum class Tipo : quint8 {
    Byte = 0x02,
    Inteiro = 0x03, // 16 bits
    Longo = 0x04,   // 32 bits
    Simples = 0x06, // single precision
    Data = 0x08,
    Texto = 0x0A,
    Ole = 0x0B, // long binary: only ever null here
    Memo = 0x0C,
};

struct Coluna {
    QString nome;
    Tipo tipo;
};

struct Tabela {
    QString nome;
    QList<Coluna> colunas;
    QList<QVariantList> linhas; // one value per column; a null QVariant is a null field
};

// The whole file. `senha` sets a database password in the header. Empty when a row does not
// fit in a page (the caller asked for more than this writer does).
QByteArray escrever(const QList<Tabela>& tabelas, const QString& senha = QString());

// Days since 30/12/1899, the engine's date value.
double valorData(const QVariant& v);

} // namespace jet
