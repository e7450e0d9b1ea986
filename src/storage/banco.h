#pragma once

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <utility>

class QSqlDatabase;

namespace mensagens {
struct Pedido;
}

// Access to the database file Fluxoradb.mdb in the application's folder (SQLite content).
// Every operation opens the file afresh, works on one table and commits; the file is never
// created here. A failing operation reports itself through mensagens (one box at a time,
// never stacked, one sentence for each kind of failure) and returns false / nullopt without a
// partial write.
namespace banco {

QString caminhoBanco();

// The SQLite URI that opens the existing file at `caminho` (never creating it), read-write or
// read-only. Every character of the path is encoded, so a folder named "Loja #2" or "100%"
// is that folder and not a query or a fragment of the URI.
QString uriBanco(const QString& caminho, bool somenteLeitura = false);

// ---- settings rows -----------------------------------------------------------------

struct Ethernet {
    QString ip1, ip2, ip3, ip4; // octets as text, read from the numeric fields
};

struct PainelSimples {
    double lotacaoFonte = 0;
    double lotacaoPosicao = 0;
    double totalFonte = 0;
    double totalPosicao = 0;
    int chktotal = 0;
    int chklotacao = 0;
    QString tempoAtualizacao;
    double legendaFonteTotal = 0;
    double legendaFonte = 0;
    double legendaPosicao = 0;
    double legendaTotalPosicao = 0;
    double infoEmpresaFonte = 0;
    QString infoEmpresa;
};

struct PainelAvancado {
    QString cmb_inicio, cmb_fim, cmb_tempoMes, cmb_tempoDia;
};

// The public display's capacity settings, in table painelLotacao. Files made before that table
// existed read as the defaults; the first save adds the table and its one row.
struct Lotacao {
    int maxima = 0; // people; 0 = no limit
    int aviso = 90; // percentage of the maximum from which the figure turns amber, 1..99
    QString mensagemLotado = QStringLiteral("Lotação máxima atingida. Por favor, aguarde.");
    QString tela; // name of the screen the operator chose for the panel; empty = automatic
    bool operator==(const Lotacao&) const = default;
};

// The operations on the database, and the memory of which failure the operator was already
// told: a failure is told once; while it lasts, polling goes on and further failures are
// silent, until an operation that failed works again (the file is back) or the operator does
// something new, which lets the next failure be told again. The program keeps one.
class Banco {
public:
    void novaAcaoDoOperador();

    // The guarded read of the device address. Without the file or its row shows
    // "Não encontramos o arquivo fluxoradb.mdb\r\n\r\n." titled with the application's title
    // (a file in use or damaged is told as such), and leaves `saida` untouched. A stored address
    // that is not four octets 0..255 empties `saida` (no address: nothing is requested) and is
    // told once as not valid, whatever the operator does meanwhile, until another damaged
    // address is found.
    bool lerEthernet(Ethernet& saida);
    // Stores the four octets (numbers) and `dia`.
    bool salvarEthernet(int ip1, int ip2, int ip3, int ip4, const QDate& dia);

    bool lerPainelSimples(PainelSimples& saida);
    bool salvarPainelSimples(const PainelSimples& valores, const QDate& dia);

    bool lerPainelAvancado(PainelAvancado& saida);
    bool salvarPainelAvancado(const PainelAvancado& valores);

    // `relatarFalha` false: a failure leaves `saida` as it was without a message (the caller
    // falls back on no limit and reports through its own next read).
    bool lerLotacao(Lotacao& saida, bool relatarFalha = true);
    bool salvarLotacao(const Lotacao& valores, const QDate& dia);

    // ---- history ------------------------------------------------------------------------

    // Find-or-add the Meses row of `ano` (only `ano` set on a new row), then set the column of
    // month `mes` (1..12) to `serie`.
    bool gravarMes(const QString& ano, int mes, const QString& serie);
    // Find-or-add the Dias row of `ano` and `mes` ("03"; a new row gets mes, then ano), then set
    // column hora<dia> (1..31) to `serie`.
    bool gravarDia(const QString& ano, const QString& mes, int dia, const QString& serie);

    // The text of a month column of the first Meses row of `ano`: empty when there is no such
    // row or the column is empty; nullopt when the database could not be read.
    std::optional<QString> lerMes(const QString& ano, int mes);
    // Likewise for a day column of Dias.
    std::optional<QString> lerDia(const QString& ano, const QString& mes, int dia);

    // The `ano` of every Meses row, in stored order; nullopt when unreadable.
    std::optional<QStringList> listarAnos();

    // The twelve month columns (jan first, an empty column as empty text) of the first Meses
    // row of `ano`; an empty list when there is no such row; nullopt when unreadable.
    std::optional<QStringList> lerAno(const QString& ano);

    // A Dias row as stored: its keys and its 31 day columns (hora1 first, empty as empty text).
    struct MesDias {
        QString ano, mes;
        QStringList dias;
    };
    // Every Dias row of the years `anoDe` to `anoAte` (four-digit texts), in stored order.
    std::optional<QList<MesDias>> lerDiasDosAnos(const QString& anoDe, const QString& anoAte);

    // Writes 31 groups "00000" into the month's column of the first Meses row of `ano` (no row
    // means no change there, and no message) and deletes the month's Dias rows. True when
    // nothing failed.
    bool excluirMes(const QString& ano, int mes);

    struct Erro;

private:
    struct Falhas {
        bool informada = false;
        QSet<QString> operacoes;
    };

    void funcionou(const QString& chaveOperacao);
    void informar(const QString& chaveOperacao, const mensagens::Pedido& pedido);
    void avisar(const QString& chaveOperacao, const QString& operacao, const Erro& erro);
    using Trabalho = std::function<bool(const QSqlDatabase&, Erro&)>;
    bool ler(const QString& tabela, const QString& operacao, const Trabalho& trabalho,
             bool relatarFalha = true, Erro* falha = nullptr);
    bool escrever(const QString& tabela, const QString& operacao, const Trabalho& trabalho);
    bool danificado();
    Erro examinar(const Erro& erro);
    bool salvarLinha(const QString& tabela, const QList<std::pair<QString, QVariant>>& campos,
                     const QString& operacao);
    bool gravarColuna(const QString& tabela, const QList<std::pair<QString, QString>>& chaves,
                      const QString& coluna, const QString& valor, const QString& operacao);
    std::optional<QString> lerColuna(const QString& tabela, const QList<std::pair<QString, QString>>& chaves,
                                     const QString& coluna, const QString& operacao);

    Falhas m_falhas;
    QString m_enderecoInvalido; // the damaged stored address last told
    // Set once the file failed the engine's own check: nothing is written to it any more,
    // until another file (a sound copy) takes its place.
    bool m_danificado = false;
    QByteArray m_identidadeDanificada;
};

// ---- what a stored value must be to be used (validade.cpp) ------------------------------

// An octet as stored: a whole number 0..255, else nullopt (letters, fractions, past 255).
std::optional<int> octetoValido(const QVariant& valor);
// A stored number as an int when it is a finite whole number within int, else `seInvalido`.
int inteiroOu(const QVariant& valor, int seInvalido);
// The warning level is a percentage of the maximum occupancy, 1..99; 90 when not valid.
constexpr int avisoPadrao = 90;
// The largest maximum occupancy the windows accept.
constexpr int lotacaoMaximaLimite = 99999;
int avisoValido(const QVariant& percentual);
// Rows written before the percentage held the level in people (0: 90 %); a row is of that
// kind while its avisoPercentual column is missing or empty. It is read through these once;
// the level in people is still written beside the percentage for older builds.
int percentualDePessoas(int maxima, int pessoas);
int pessoasDoPercentual(int maxima, int percentual);

// ---- the shipped file ---------------------------------------------------------------

// Creates a new database file at `caminho` with the five tables and one row in each settings
// table (device address 127.0.0.1). Fails if the file exists.
bool criarBancoEntregue(const QString& caminho, QString* erro = nullptr);

} // namespace banco
