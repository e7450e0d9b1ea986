#pragma once

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <utility>

namespace mensagens {
struct Pedido;
}

// Access to the database file Fluxoradb.mdb in the application's folder (SQLite content).
// Every operation opens the file afresh, works on one table and commits; the file is never
// created here. A failing operation reports itself through mensagens (one box at a time,
// never stacked) and returns false / nullopt without a partial write.
namespace banco {

QString caminhoBanco();

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
    int aviso = 0;  // people from which the figure turns amber; 0 = 90 % of the maximum
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

    // The guarded read of the device address. On any failure shows
    // "Não encontramos o arquivo fluxoradb.mdb\r\n\r\n." titled with the application's title,
    // and leaves `saida` untouched.
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

    // Writes 31 groups "00000" into the month's column of the first Meses row of `ano` (no row
    // means no change there, and no message) and deletes the month's Dias rows. True when
    // nothing failed.
    bool excluirMes(const QString& ano, int mes);

private:
    struct Falhas {
        bool informada = false;
        QSet<QString> operacoes;
    };

    void funcionou(const QString& chaveOperacao);
    void informar(const QString& chaveOperacao, const mensagens::Pedido& pedido);
    void avisar(const QString& chaveOperacao, const QString& operacao, const QString& motivo);
    bool salvarLinha(const QString& tabela, const QList<std::pair<QString, QVariant>>& campos,
                     const QString& operacao);
    bool gravarColuna(const QString& tabela, const QList<std::pair<QString, QString>>& chaves,
                      const QString& coluna, const QString& valor, const QString& operacao);
    std::optional<QString> lerColuna(const QString& tabela, const QList<std::pair<QString, QString>>& chaves,
                                     const QString& coluna, const QString& operacao);

    Falhas m_falhas;
};

// ---- the shipped file ---------------------------------------------------------------

// Creates a new database file at `caminho` with the five tables and one row in each settings
// table (device address 127.0.0.1). Fails if the file exists.
bool criarBancoEntregue(const QString& caminho, QString* erro = nullptr);

} // namespace banco
