#include "banco.h"

#include "arquivos.h"

#include "constantes.h"
#include "costuras.h"
#include "datas.h"
#include "indices.h"
#include "mensagens.h"
#include "serie.h"
#include "textos.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>
#include <QVariant>

#include <algorithm>

namespace banco {

namespace {

// One connection per operation: opened read-write on an existing file only (a missing file
// is an error, never an empty new database), closed and removed at the end.
class Conexao {
public:
    explicit Conexao(const QString& caminho)
    {
        // Unique for as long as the connection is registered, without a shared counter.
        m_nome = QStringLiteral("fluxora-banco-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nome);
        // A busy timeout of at most 200 ms: a longer lock means the write waits for the next
        // cycle instead of freezing the interface.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=200"));
        QUrl url = QUrl::fromLocalFile(caminho);
        url.setScheme(QStringLiteral("file"));
        db.setDatabaseName(url.toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
        if (!QFile::exists(caminho)) {
            m_erro = QStringLiteral("O arquivo não existe.");
            return;
        }
        if (!db.open()) {
            m_erro = db.lastError().text();
            return;
        }
        QSqlQuery q(db);
        // Durability first: every commit reaches the disk before the call returns.
        q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        // A file marked read-only is left exactly as it is, even where the engine could write.
        if (arquivos::modoPermiteEscrita(caminho))
            garantirIndices(db);
        m_aberta = true;
    }
    ~Conexao()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_nome, false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(m_nome);
    }
    Conexao(const Conexao&) = delete;
    Conexao& operator=(const Conexao&) = delete;

    bool aberta() const { return m_aberta; }
    QString erro() const { return m_erro; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_nome, false); }

private:
    QString m_nome;
    QString m_erro;
    bool m_aberta = false;
};

// Failures are keyed by table and direction, so that a read that works while writes fail (a
// read-only file, a missing table) does not count as the database working again.
QString chave(const QString& tabela, bool escrita)
{
    return tabela + (escrita ? QStringLiteral(":gravar") : QStringLiteral(":ler"));
}

} // namespace

void Banco::funcionou(const QString& chaveOperacao)
{
    if (m_falhas.operacoes.contains(chaveOperacao))
        m_falhas = Falhas{};
}

// Shows the box unless this failure was already told; while a box is on screen no second one
// opens.
void Banco::informar(const QString& chaveOperacao, const mensagens::Pedido& pedido)
{
    Falhas& f = m_falhas;
    f.operacoes.insert(chaveOperacao);
    if (f.informada || mensagens::exibindo())
        return;
    // Set before the box: failures of requests answered while it is open are the same one.
    f.informada = true;
    mensagens::mostrar(pedido);
}

// A failed operation shows one box naming it.
void Banco::avisar(const QString& chaveOperacao, const QString& operacao, const QString& motivo)
{
    mensagens::Pedido p;
    p.titulo = constantes::tituloAplicacao;
    p.texto = QStringLiteral("Não foi possível %1 em %2.").arg(operacao, constantes::nomeBanco);
    if (!motivo.trimmed().isEmpty())
        p.texto += QStringLiteral("\r\n\r\n") + motivo.trimmed();
    p.icone = mensagens::Icone::Aviso;
    informar(chaveOperacao, p);
}

namespace {

QString motivo(const QSqlQuery& q) { return q.lastError().text(); }

// The first row (rowid order) of a settings table, read on a connection of its own, or an
// error text.
std::optional<QSqlRecord> primeiraLinha(const QString& tabela, QString& erro)
{
    Conexao c(caminhoBanco());
    if (!c.aberta()) {
        erro = c.erro();
        return std::nullopt;
    }
    QSqlQuery q(c.db());
    if (!q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid LIMIT 1").arg(tabela))) {
        erro = motivo(q);
        return std::nullopt;
    }
    if (!q.next()) {
        erro = QStringLiteral("A tabela %1 não tem a linha de configurações.").arg(tabela);
        return std::nullopt;
    }
    return q.record();
}

// Runs `trabalho` inside BEGIN IMMEDIATE ... COMMIT; anything failing rolls back.
template <class Trabalho>
bool transacao(const QSqlDatabase& db, QString& erro, Trabalho trabalho)
{
    // The mode bits are honoured even where the engine would write anyway (as root): a file
    // the operator marked read-only stays as it is.
    if (!arquivos::modoPermiteEscrita(caminhoBanco())) {
        erro = QStringLiteral("O arquivo está marcado como somente leitura.");
        return false;
    }
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        erro = motivo(q);
        return false;
    }
    if (!trabalho(erro)) {
        q.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    if (!q.exec(QStringLiteral("COMMIT"))) {
        erro = motivo(q);
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

} // namespace

// Updates every given field of the first row of a settings table.
bool Banco::salvarLinha(const QString& tabela, const QList<std::pair<QString, QVariant>>& campos, const QString& operacao)
{
    Conexao c(caminhoBanco());
    QString erro;
    bool ok = c.aberta();
    if (!ok)
        erro = c.erro();
    if (ok) {
        ok = transacao(c.db(), erro, [&](QString& e) {
            QSqlQuery linha(c.db());
            if (!linha.exec(QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid LIMIT 1").arg(tabela))) {
                e = motivo(linha);
                return false;
            }
            if (!linha.next()) {
                e = QStringLiteral("A tabela %1 não tem a linha de configurações.").arg(tabela);
                return false;
            }
            const qlonglong rowid = linha.value(0).toLongLong();
            QStringList atribuicoes;
            for (const auto& campo : campos)
                atribuicoes << campo.first + QStringLiteral(" = ?");
            QSqlQuery q(c.db());
            q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(tabela, atribuicoes.join(u',')));
            for (const auto& campo : campos)
                q.addBindValue(campo.second);
            q.addBindValue(rowid);
            if (!q.exec()) {
                e = motivo(q);
                return false;
            }
            return true;
        });
    }
    if (ok)
        funcionou(chave(tabela, true));
    else
        avisar(chave(tabela, true), operacao, erro);
    return ok;
}

namespace {

QString textoOcteto(const QVariant& v) { return strings::textoNumero(v.toDouble()); }

// "k1 = ? AND k2 = ?" over the key columns, for a query that binds their values in order.
QString condicaoDasChaves(const QList<std::pair<QString, QString>>& chaves)
{
    QStringList condicoes;
    for (const auto& chave : chaves)
        condicoes << chave.first + QStringLiteral(" = ?");
    return condicoes.join(QStringLiteral(" AND "));
}

// Find-or-add a history row by its keys; returns its rowid or -1 with `erro` set.
qlonglong acharOuAdicionar(const QSqlDatabase& db, const QString& tabela, const QList<std::pair<QString, QString>>& chaves,
                           QString& erro)
{
    // The first row in stored order whose keys are equal as text (the key columns are TEXT,
    // so SQL equality on bound texts is the same comparison), found by the engine.
    QSqlQuery q(db);
    QStringList colunas;
    for (const auto& chave : chaves)
        colunas << chave.first;
    q.prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY rowid LIMIT 1")
                  .arg(tabela, condicaoDasChaves(chaves)));
    for (const auto& chave : chaves)
        q.addBindValue(chave.second);
    if (!q.exec()) {
        erro = motivo(q);
        return -1;
    }
    if (q.next())
        return q.value(0).toLongLong();
    QSqlQuery novo(db);
    QStringList marcas(chaves.size(), QStringLiteral("?"));
    novo.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(tabela, colunas.join(u','), marcas.join(u',')));
    for (const auto& chave : chaves)
        novo.addBindValue(chave.second);
    if (!novo.exec()) {
        erro = motivo(novo);
        return -1;
    }
    return novo.lastInsertId().toLongLong();
}

} // namespace

bool Banco::gravarColuna(const QString& tabela, const QList<std::pair<QString, QString>>& chaves, const QString& coluna,
                  const QString& valor, const QString& operacao)
{
    Conexao c(caminhoBanco());
    QString erro;
    bool ok = c.aberta();
    if (!ok)
        erro = c.erro();
    if (ok) {
        ok = transacao(c.db(), erro, [&](QString& e) {
            const qlonglong rowid = acharOuAdicionar(c.db(), tabela, chaves, e);
            if (rowid < 0)
                return false;
            QSqlQuery q(c.db());
            q.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(tabela, coluna));
            q.addBindValue(valor);
            q.addBindValue(rowid);
            if (!q.exec()) {
                e = motivo(q);
                return false;
            }
            return true;
        });
    }
    if (ok)
        funcionou(chave(tabela, true));
    else
        avisar(chave(tabela, true), operacao, erro);
    return ok;
}

std::optional<QString> Banco::lerColuna(const QString& tabela, const QList<std::pair<QString, QString>>& chaves,
                                 const QString& coluna, const QString& operacao)
{
    Conexao c(caminhoBanco());
    if (!c.aberta()) {
        avisar(chave(tabela, false), operacao, c.erro());
        return std::nullopt;
    }
    QSqlQuery q(c.db());
    q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY rowid LIMIT 1")
                  .arg(coluna, tabela, condicaoDasChaves(chaves)));
    for (const auto& parte : chaves)
        q.addBindValue(parte.second);
    if (!q.exec()) {
        avisar(chave(tabela, false), operacao, motivo(q));
        return std::nullopt;
    }
    funcionou(chave(tabela, false));
    if (q.next())
        return q.value(0).isNull() ? QString() : q.value(0).toString();
    return QString();
}

namespace {
QString nomeMes(const QString& ano, int mes) { return strings::doisDigitos(mes) + u'/' + ano; }
} // namespace

QString caminhoBanco() { return QDir(costuras::pastaAplicacao()).filePath(constantes::nomeBanco); }

void Banco::novaAcaoDoOperador()
{
    m_falhas = Falhas{};
}

bool Banco::lerEthernet(Ethernet& saida)
{
    QString erro;
    const std::optional<QSqlRecord> linha = primeiraLinha(QStringLiteral("ethernet"), erro);
    bool ok = linha.has_value();
    if (ok) {
        for (const char* campo : {"txt_ip1CP", "txt_ip2CP", "txt_ip3CP", "txt_ip4CP"}) {
            const int i = linha->indexOf(QLatin1String(campo));
            ok = ok && i >= 0 && !linha->value(i).isNull();
        }
    }
    const QString chaveOperacao = chave(QStringLiteral("ethernet"), false);
    if (!ok) {
        // The one guarded read: its text is fixed whatever the cause. It runs on every
        // request, so it is told once, not once per request.
        mensagens::Pedido p;
        p.titulo = constantes::tituloAplicacao;
        p.texto = QStringLiteral("Não encontramos o arquivo fluxoradb.mdb\r\n\r\n.");
        informar(chaveOperacao, p);
        return false;
    }
    funcionou(chaveOperacao);
    saida.ip1 = textoOcteto(linha->value(QStringLiteral("txt_ip1CP")));
    saida.ip2 = textoOcteto(linha->value(QStringLiteral("txt_ip2CP")));
    saida.ip3 = textoOcteto(linha->value(QStringLiteral("txt_ip3CP")));
    saida.ip4 = textoOcteto(linha->value(QStringLiteral("txt_ip4CP")));
    return true;
}

bool Banco::salvarEthernet(int ip1, int ip2, int ip3, int ip4, const QDate& dia)
{
    return salvarLinha(QStringLiteral("ethernet"),
                       {{QStringLiteral("txt_ip1CP"), ip1},
                        {QStringLiteral("txt_ip2CP"), ip2},
                        {QStringLiteral("txt_ip3CP"), ip3},
                        {QStringLiteral("txt_ip4CP"), ip4},
                        {QStringLiteral("dia"), dia.toString(Qt::ISODate)}},
                       QStringLiteral("gravar o endereço do contador"));
}

bool Banco::lerPainelSimples(PainelSimples& saida)
{
    QString erro;
    const std::optional<QSqlRecord> linha = primeiraLinha(QStringLiteral("painelSimples"), erro);
    if (!linha) {
        avisar(chave(QStringLiteral("painelSimples"), false),
               QStringLiteral("ler as configurações do painel simples"), erro);
        return false;
    }
    funcionou(chave(QStringLiteral("painelSimples"), false));
    const QSqlRecord& r = *linha;
    auto num = [&](const char* campo) { return r.value(QLatin1String(campo)).toDouble(); };
    saida.lotacaoFonte = num("lotacaoFonte");
    saida.lotacaoPosicao = num("lotacaoPosicao");
    saida.totalFonte = num("totalFonte");
    saida.totalPosicao = num("totalPosicao");
    saida.chktotal = static_cast<int>(num("chktotal"));
    saida.chklotacao = static_cast<int>(num("chklotacao"));
    saida.tempoAtualizacao = r.value(QStringLiteral("tempoAtualizacao")).toString();
    saida.legendaFonteTotal = num("legendaFonteTotal");
    saida.legendaFonte = num("legendaFonte");
    saida.legendaPosicao = num("legendaPosicao");
    saida.legendaTotalPosicao = num("legendaTotalPosicao");
    saida.infoEmpresaFonte = num("infoEmpresaFonte");
    saida.infoEmpresa = r.value(QStringLiteral("infoEmpresa")).toString();
    return true;
}

bool Banco::salvarPainelSimples(const PainelSimples& v, const QDate& dia)
{
    return salvarLinha(QStringLiteral("painelSimples"),
                       {{QStringLiteral("lotacaoFonte"), v.lotacaoFonte},
                        {QStringLiteral("lotacaoPosicao"), v.lotacaoPosicao},
                        {QStringLiteral("totalFonte"), v.totalFonte},
                        {QStringLiteral("totalPosicao"), v.totalPosicao},
                        {QStringLiteral("chktotal"), v.chktotal},
                        {QStringLiteral("chklotacao"), v.chklotacao},
                        {QStringLiteral("tempoAtualizacao"), v.tempoAtualizacao},
                        {QStringLiteral("legendaFonteTotal"), v.legendaFonteTotal},
                        {QStringLiteral("legendaFonte"), v.legendaFonte},
                        {QStringLiteral("legendaPosicao"), v.legendaPosicao},
                        {QStringLiteral("legendaTotalPosicao"), v.legendaTotalPosicao},
                        {QStringLiteral("infoEmpresaFonte"), v.infoEmpresaFonte},
                        {QStringLiteral("infoEmpresa"), v.infoEmpresa.trimmed()},
                        {QStringLiteral("dia"), dia.toString(Qt::ISODate)}},
                       QStringLiteral("gravar as configurações do painel simples"));
}

bool Banco::lerPainelAvancado(PainelAvancado& saida)
{
    QString erro;
    const std::optional<QSqlRecord> linha = primeiraLinha(QStringLiteral("painelavancado"), erro);
    if (!linha) {
        avisar(chave(QStringLiteral("painelavancado"), false),
               QStringLiteral("ler os ajustes do painel avançado"), erro);
        return false;
    }
    funcionou(chave(QStringLiteral("painelavancado"), false));
    saida.cmb_inicio = linha->value(QStringLiteral("cmb_inicio")).toString();
    saida.cmb_fim = linha->value(QStringLiteral("cmb_fim")).toString();
    saida.cmb_tempoMes = linha->value(QStringLiteral("cmb_tempoMes")).toString();
    saida.cmb_tempoDia = linha->value(QStringLiteral("cmb_tempoDia")).toString();
    return true;
}

bool Banco::salvarPainelAvancado(const PainelAvancado& v)
{
    return salvarLinha(QStringLiteral("painelavancado"),
                       {{QStringLiteral("cmb_inicio"), v.cmb_inicio},
                        {QStringLiteral("cmb_fim"), v.cmb_fim},
                        {QStringLiteral("cmb_tempoMes"), v.cmb_tempoMes},
                        {QStringLiteral("cmb_tempoDia"), v.cmb_tempoDia}},
                       QStringLiteral("gravar os ajustes do painel avançado"));
}

namespace {
const QString tabelaLotacao = QStringLiteral("painelLotacao");
const QString criarTabelaLotacao =
    QStringLiteral("CREATE TABLE IF NOT EXISTS painelLotacao (lotacaoMaxima INTEGER, lotacaoAviso INTEGER, "
                   "infoLotado TEXT, telaPainel TEXT, dia TEXT)");

bool tabelaExiste(const QSqlDatabase& db, const QString& tabela, QString& erro, bool& existe)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?"));
    q.addBindValue(tabela);
    if (!q.exec() || !q.next()) {
        erro = motivo(q);
        return false;
    }
    existe = q.value(0).toInt() > 0;
    return true;
}
} // namespace

bool Banco::lerLotacao(Lotacao& saida, bool relatarFalha)
{
    Conexao c(caminhoBanco());
    QString erro = c.erro();
    bool ok = c.aberta();
    bool existe = false;
    if (ok)
        ok = tabelaExiste(c.db(), tabelaLotacao, erro, existe);
    // A file from before the table keeps its defaults until the first save; reading never
    // writes, so a read-only file still opens the panel.
    std::optional<QSqlRecord> linha;
    if (ok && existe) {
        QSqlQuery q(c.db());
        ok = q.exec(QStringLiteral("SELECT * FROM painelLotacao ORDER BY rowid LIMIT 1"));
        if (!ok)
            erro = motivo(q);
        else if (q.next())
            linha = q.record();
    }
    if (!ok) {
        if (relatarFalha)
            avisar(chave(tabelaLotacao, false), QStringLiteral("ler a lotação máxima"), erro);
        return false;
    }
    funcionou(chave(tabelaLotacao, false));
    Lotacao v;
    if (linha) {
        v.maxima = std::max(0, linha->value(QStringLiteral("lotacaoMaxima")).toInt());
        v.aviso = std::max(0, linha->value(QStringLiteral("lotacaoAviso")).toInt());
        const QVariant mensagem = linha->value(QStringLiteral("infoLotado"));
        if (!mensagem.isNull())
            v.mensagemLotado = mensagem.toString();
        v.tela = linha->value(QStringLiteral("telaPainel")).toString();
    }
    saida = v;
    return true;
}

bool Banco::salvarLotacao(const Lotacao& v, const QDate& dia)
{
    Conexao c(caminhoBanco());
    QString erro = c.erro();
    bool ok = c.aberta();
    if (ok) {
        ok = transacao(c.db(), erro, [&](QString& e) {
            QSqlQuery q(c.db());
            if (!q.exec(criarTabelaLotacao) ||
                !q.exec(QStringLiteral("SELECT rowid FROM painelLotacao ORDER BY rowid LIMIT 1"))) {
                e = motivo(q);
                return false;
            }
            const bool haLinha = q.next();
            const qlonglong rowid = haLinha ? q.value(0).toLongLong() : -1;
            QSqlQuery g(c.db());
            g.prepare(
                haLinha
                    ? QStringLiteral("UPDATE painelLotacao SET lotacaoMaxima = ?, lotacaoAviso = ?, "
                                     "infoLotado = ?, telaPainel = ?, dia = ? WHERE rowid = ?")
                    : QStringLiteral("INSERT INTO painelLotacao (lotacaoMaxima, lotacaoAviso, infoLotado, "
                                     "telaPainel, dia) VALUES (?, ?, ?, ?, ?)"));
            g.addBindValue(std::max(0, v.maxima));
            g.addBindValue(std::max(0, v.aviso));
            g.addBindValue(v.mensagemLotado.trimmed());
            g.addBindValue(v.tela);
            g.addBindValue(dia.toString(Qt::ISODate));
            if (haLinha)
                g.addBindValue(rowid);
            if (!g.exec()) {
                e = motivo(g);
                return false;
            }
            return true;
        });
    }
    if (!ok)
        avisar(chave(tabelaLotacao, true), QStringLiteral("gravar a lotação máxima"), erro);
    else
        funcionou(chave(tabelaLotacao, true));
    return ok;
}

bool Banco::gravarMes(const QString& ano, int mes, const QString& serie)
{
    const QString coluna = datas::colunaMes(mes);
    if (coluna.isEmpty())
        return false;
    return gravarColuna(QStringLiteral("Meses"), {{QStringLiteral("ano"), ano}}, coluna, serie,
                        QStringLiteral("gravar o histórico do mês %1").arg(nomeMes(ano, mes)));
}

bool Banco::gravarDia(const QString& ano, const QString& mes, int dia, const QString& serie)
{
    const QString coluna = datas::colunaDia(dia);
    if (coluna.isEmpty())
        return false;
    // A new row gets mes, then ano.
    return gravarColuna(QStringLiteral("Dias"), {{QStringLiteral("mes"), mes}, {QStringLiteral("ano"), ano}}, coluna,
                        serie,
                        QStringLiteral("gravar o histórico do dia %1/%2/%3").arg(strings::doisDigitos(dia), mes, ano));
}

std::optional<QString> Banco::lerMes(const QString& ano, int mes)
{
    const QString coluna = datas::colunaMes(mes);
    if (coluna.isEmpty())
        return QString();
    return lerColuna(QStringLiteral("Meses"), {{QStringLiteral("ano"), ano}}, coluna,
                     QStringLiteral("ler o histórico do mês %1").arg(nomeMes(ano, mes)));
}

std::optional<QString> Banco::lerDia(const QString& ano, const QString& mes, int dia)
{
    const QString coluna = datas::colunaDia(dia);
    if (coluna.isEmpty())
        return QString();
    return lerColuna(QStringLiteral("Dias"), {{QStringLiteral("ano"), ano}, {QStringLiteral("mes"), mes}}, coluna,
                     QStringLiteral("ler o histórico do dia %1/%2/%3").arg(strings::doisDigitos(dia), mes, ano));
}

std::optional<QStringList> Banco::listarAnos()
{
    const QString chaveOperacao = chave(QStringLiteral("Meses"), false);
    Conexao c(caminhoBanco());
    if (!c.aberta()) {
        avisar(chaveOperacao, QStringLiteral("ler os anos do histórico"), c.erro());
        return std::nullopt;
    }
    QSqlQuery q(c.db());
    if (!q.exec(QStringLiteral("SELECT ano FROM Meses ORDER BY rowid"))) {
        avisar(chaveOperacao, QStringLiteral("ler os anos do histórico"), motivo(q));
        return std::nullopt;
    }
    funcionou(chaveOperacao);
    QStringList anos;
    while (q.next())
        anos << q.value(0).toString();
    return anos;
}

bool Banco::excluirMes(const QString& ano, int mes)
{
    QString tabela = QStringLiteral("Meses"); // the one a failure is told under
    Conexao c(caminhoBanco());
    QString erro = c.erro();
    bool ok = c.aberta();
    if (ok) {
        ok = transacao(c.db(), erro, [&](QString& e) {
            QSqlQuery q(c.db());
            if (!q.exec(QStringLiteral("SELECT rowid, ano FROM Meses ORDER BY rowid"))) {
                e = motivo(q);
                return false;
            }
            qlonglong rowid = -1;
            while (rowid < 0 && q.next())
                if (q.value(1).toString() == ano)
                    rowid = q.value(0).toLongLong();
            const QString coluna = datas::colunaMes(mes);
            if (coluna.isEmpty())
                return true; // no such month: nothing to change, and no message
            // The month's hours go with it: the day chart and the reports read them.
            QSqlQuery d(c.db());
            d.prepare(QStringLiteral("DELETE FROM Dias WHERE ano = ? AND mes = ?"));
            d.addBindValue(ano);
            d.addBindValue(QStringLiteral("%1").arg(mes, 2, 10, QLatin1Char('0')));
            if (!d.exec()) {
                e = motivo(d);
                tabela = QStringLiteral("Dias");
                return false;
            }
            if (rowid < 0)
                return true; // no such year in Meses
            QSqlQuery u(c.db());
            u.prepare(QStringLiteral("UPDATE Meses SET %1 = ? WHERE rowid = ?").arg(coluna));
            u.addBindValue(serie::mesZerado());
            u.addBindValue(rowid);
            if (!u.exec()) {
                e = motivo(u);
                return false;
            }
            return true;
        });
    }
    if (ok) {
        funcionou(chave(QStringLiteral("Meses"), true));
        funcionou(chave(QStringLiteral("Dias"), true));
    } else {
        avisar(chave(tabela, true), QStringLiteral("excluir o histórico do mês %1").arg(nomeMes(ano, mes)), erro);
    }
    return ok;
}

bool criarBancoEntregue(const QString& caminho, QString* erro)
{
    if (QFile::exists(caminho)) {
        if (erro)
            *erro = QStringLiteral("O arquivo já existe.");
        return false;
    }
    const QString nome = QStringLiteral("fluxora-criacao");
    bool ok = true;
    QString falha;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
        db.setDatabaseName(caminho);
        ok = db.open();
        if (!ok)
            falha = db.lastError().text();
        QStringList comandos = {
            // The rollback journal keeps a read-only file readable and still commits atomically.
            QStringLiteral("PRAGMA journal_mode=DELETE"),
            QStringLiteral("BEGIN"),
            QStringLiteral("CREATE TABLE ethernet (txt_ip1CP INTEGER, txt_ip2CP INTEGER, txt_ip3CP INTEGER, "
                           "txt_ip4CP INTEGER, dia TEXT)"),
            QStringLiteral("CREATE TABLE painelSimples (lotacaoFonte REAL, lotacaoPosicao REAL, totalFonte REAL, "
                           "totalPosicao REAL, chktotal INTEGER, chklotacao INTEGER, tempoAtualizacao TEXT, "
                           "legendaFonteTotal REAL, legendaFonte REAL, legendaPosicao REAL, legendaTotalPosicao "
                           "REAL, infoEmpresaFonte REAL, infoEmpresa TEXT, dia TEXT)"),
            QStringLiteral("CREATE TABLE painelavancado (cmb_inicio TEXT, cmb_fim TEXT, cmb_tempoMes TEXT, "
                           "cmb_tempoDia TEXT)"),
            QStringLiteral("CREATE TABLE Meses (ano TEXT, jan TEXT, fev TEXT, mar TEXT, abr TEXT, mai TEXT, jun "
                           "TEXT, jul TEXT, ago TEXT, sete TEXT, out TEXT, nov TEXT, dez TEXT)"),
        };
        QString dias = QStringLiteral("CREATE TABLE Dias (ano TEXT, mes TEXT");
        for (int d = 1; d <= 31; ++d)
            dias += QStringLiteral(", hora%1 TEXT").arg(d);
        comandos << dias + u')';
        const QString hoje = QDate::currentDate().toString(Qt::ISODate);
        comandos << QStringLiteral("INSERT INTO ethernet VALUES (127, 0, 0, 1, '%1')").arg(hoje)
                 // The defaults of the simple panel's "Padrões" for a 1920 x 1080 screen.
                 << QStringLiteral("INSERT INTO painelSimples VALUES (200, 32, 200, 384, 0, 0, '10s', 30, 30, 8, "
                                   "360, 18, 'Seja bem-vindo!', '%1')")
                        .arg(hoje)
                 << QStringLiteral("INSERT INTO painelavancado VALUES ('08h', '18h', '03 min', '30 seg')")
                 // No limit until the operator sets one.
                 << criarTabelaLotacao
                 << QStringLiteral(
                        "INSERT INTO painelLotacao VALUES (0, 0, 'Lotação máxima atingida. Por favor, "
                        "aguarde.', '', '%1')")
                        .arg(hoje)
                 << QStringLiteral("COMMIT");
        for (const QString& sql : comandos) {
            if (!ok)
                break;
            QSqlQuery q(db);
            ok = q.exec(sql);
            if (!ok)
                falha = q.lastError().text() + QStringLiteral(" (") + sql + u')';
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(nome);
    if (!ok) {
        QFile::remove(caminho);
        if (erro)
            *erro = falha;
    }
    return ok;
}

} // namespace banco
