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
#include <limits>

#include <sys/stat.h>

namespace banco {

// What went wrong, by the kind the operator can act on, with the engine's own words kept
// only as a detail.
struct Banco::Erro {
    enum class Tipo { Ausente, SemAcesso, SomenteLeitura, DiscoCheio, Danificado, EmUso, Formato, Outro };
    Tipo tipo = Tipo::Outro;
    QString detalhe;

    static Erro de(const QSqlError& e)
    {
        // Qt hands over the engine's result code; its low byte is the primary code.
        bool numerico = false;
        const int codigo = e.nativeErrorCode().toInt(&numerico) & 0xff;
        Erro r;
        r.detalhe = e.databaseText().isEmpty() ? e.text() : e.databaseText();
        if (r.detalhe.contains(QLatin1StringView("no such table")) ||
            r.detalhe.contains(QLatin1StringView("no such column"))) {
            r.tipo = Tipo::Formato;
            return r;
        }
        if (!numerico)
            return r;
        switch (codigo) {
        case 5: // busy
        case 6: // locked
            r.tipo = Tipo::EmUso;
            break;
        case 8: // read-only
            r.tipo = Tipo::SomenteLeitura;
            break;
        case 13: // full
            r.tipo = Tipo::DiscoCheio;
            break;
        case 11: // corrupt
        case 26: // not a database
            r.tipo = Tipo::Danificado;
            break;
        case 3:  // permission
        case 14: // cannot open
        case 23: // authorization
            r.tipo = Tipo::SemAcesso;
            break;
        case 1: // a missing table or column
            r.tipo = Tipo::Formato;
            break;
        default:
            break;
        }
        return r;
    }
    static Erro de(const QSqlQuery& q) { return de(q.lastError()); }
    static Erro nosso(Tipo t) { return Erro{t, QString()}; }
};

namespace {

using Erro = Banco::Erro;

// One connection per operation: opened read-write on an existing file only (a missing file
// is an error, never an empty new database), closed and removed at the end.
class SessaoBanco {
public:
    SessaoBanco(const QString& caminho, bool podeGravar)
    {
        // Unique for as long as the connection is registered, without a shared counter.
        m_nome = QStringLiteral("fluxora-banco-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nome);
        // A busy timeout of at most 200 ms: a longer lock means the write waits for the next
        // cycle instead of freezing the interface.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=200"));
        db.setDatabaseName(uriBanco(caminho));
        if (!QFile::exists(caminho)) {
            m_erro = Erro::nosso(Erro::Tipo::Ausente);
            return;
        }
        if (!db.open()) {
            m_erro = Erro::de(db.lastError());
            return;
        }
        QSqlQuery q(db);
        // Durability first: every commit reaches the disk before the call returns.
        q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        // A file marked read-only is left exactly as it is, even where the engine could write;
        // so is a damaged one.
        if (podeGravar && arquivos::modoPermiteEscrita(caminho))
            garantirIndices(db);
        m_aberta = true;
    }
    ~SessaoBanco()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_nome, false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(m_nome);
    }
    SessaoBanco(const SessaoBanco&) = delete;
    SessaoBanco& operator=(const SessaoBanco&) = delete;

    bool aberta() const { return m_aberta; }
    Erro erro() const { return m_erro; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_nome, false); }

private:
    QString m_nome;
    Erro m_erro;
    bool m_aberta = false;
};

// Failures are keyed by table and direction, so that a read that works while writes fail (a
// read-only file, a missing table) does not count as the database working again.
QString chave(const QString& tabela, bool escrita)
{
    return tabela + (escrita ? QStringLiteral(":gravar") : QStringLiteral(":ler"));
}

// Which file is on disk: a damaged file replaced by a sound copy is a new one.
QByteArray identidade(const QString& caminho)
{
    struct stat st {};
    if (::stat(QFile::encodeName(caminho).constData(), &st) != 0)
        return {};
    return QByteArray::number(static_cast<qulonglong>(st.st_ino)) + ':' + QByteArray::number(st.st_size) +
           ':' + QByteArray::number(st.st_mtim.tv_sec) + '.' + QByteArray::number(st.st_mtim.tv_nsec) + ':' +
           QByteArray::number(st.st_ctim.tv_sec) + '.' + QByteArray::number(st.st_ctim.tv_nsec);
}

// The engine's own check of every page; false when it finds anything wrong or cannot look.
bool passaNaVerificacao(const QString& caminho)
{
    SessaoBanco c(caminho, false);
    if (!c.aberta())
        return false;
    QSqlQuery q(c.db());
    return q.exec(QStringLiteral("PRAGMA quick_check(1)")) && q.next() &&
           q.value(0).toString() == QStringLiteral("ok");
}

QString frase(Erro::Tipo tipo)
{
    switch (tipo) {
    case Erro::Tipo::Ausente:
        return QStringLiteral("O arquivo %1 não foi encontrado na pasta do Fluxora.");
    case Erro::Tipo::SemAcesso:
        return QStringLiteral("O Fluxora não tem permissão para abrir o arquivo %1.");
    case Erro::Tipo::SomenteLeitura:
        return QStringLiteral("O arquivo %1 está protegido contra gravação.");
    case Erro::Tipo::DiscoCheio:
        return QStringLiteral("O disco onde fica o arquivo %1 está cheio.");
    case Erro::Tipo::Danificado:
        return QStringLiteral("O arquivo %1 está danificado, e o Fluxora não vai gravar mais nada nele até "
                              "que seja trocado por uma cópia em bom estado.");
    case Erro::Tipo::EmUso:
        return QStringLiteral("O arquivo %1 está em uso por outro programa.");
    case Erro::Tipo::Formato:
        return QStringLiteral("O arquivo %1 não tem as tabelas que o Fluxora usa.");
    case Erro::Tipo::Outro:
        break;
    }
    return QStringLiteral("O arquivo %1 não pôde ser lido ou gravado.");
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

// A failed operation shows one box: what is wrong with the file, then what was being done.
void Banco::avisar(const QString& chaveOperacao, const QString& operacao, const Erro& erro)
{
    mensagens::Pedido p;
    p.titulo = constantes::tituloAplicacao;
    p.texto = frase(erro.tipo).arg(constantes::nomeBanco) + QStringLiteral("\r\n\r\nNão foi possível ") +
              operacao + u'.';
    if (!erro.detalhe.trimmed().isEmpty())
        p.texto += QStringLiteral("\r\nDetalhe técnico: ") + erro.detalhe.trimmed();
    p.icone = mensagens::Icone::Aviso;
    informar(chaveOperacao, p);
}

// A damaged file stays damaged until another file takes its place; that one is checked
// before anything is written to it.
bool Banco::danificado()
{
    if (!m_danificado)
        return false;
    const QByteArray agora = identidade(caminhoBanco());
    if (agora == m_identidadeDanificada)
        return true;
    if (agora.isEmpty() || !passaNaVerificacao(caminhoBanco())) {
        m_identidadeDanificada = agora;
        return true;
    }
    m_danificado = false;
    return false;
}

Banco::Erro Banco::examinar(const Erro& erro)
{
    if (erro.tipo == Erro::Tipo::Danificado && !m_danificado && !passaNaVerificacao(caminhoBanco())) {
        m_danificado = true;
        m_identidadeDanificada = identidade(caminhoBanco());
    }
    // Whatever the engine said of the operation, the file's state is what the operator acts on.
    if (m_danificado && erro.tipo != Erro::Tipo::Ausente)
        return Erro{Erro::Tipo::Danificado, erro.detalhe};
    return erro;
}

bool Banco::ler(const QString& tabela, const QString& operacao, const Trabalho& trabalho, bool relatarFalha,
                Erro* falha)
{
    SessaoBanco c(caminhoBanco(), !danificado());
    Erro erro = c.erro();
    bool ok = c.aberta() && trabalho(c.db(), erro);
    if (ok) {
        funcionou(chave(tabela, false));
    } else {
        erro = examinar(erro);
        if (relatarFalha)
            avisar(chave(tabela, false), operacao, erro);
        if (falha)
            *falha = erro;
    }
    return ok;
}

// The one way anything is written: a connection of its own, BEGIN IMMEDIATE ... COMMIT
// around `trabalho`, a rollback on any failure, and the failure told once.
bool Banco::escrever(const QString& tabela, const QString& operacao, const Trabalho& trabalho)
{
    Erro erro = Erro::nosso(Erro::Tipo::Danificado);
    bool ok = !danificado();
    // The mode bits are honoured even where the engine would write anyway (as root): a file
    // the operator marked read-only stays as it is.
    if (ok && QFile::exists(caminhoBanco()) && !arquivos::modoPermiteEscrita(caminhoBanco())) {
        erro = Erro::nosso(Erro::Tipo::SomenteLeitura);
        ok = false;
    }
    if (ok) {
        SessaoBanco c(caminhoBanco(), true);
        erro = c.erro();
        ok = c.aberta();
        QSqlQuery q(c.db());
        if (ok && !q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
            erro = Erro::de(q);
            ok = false;
        } else if (ok && !trabalho(c.db(), erro)) {
            QSqlQuery(c.db()).exec(QStringLiteral("ROLLBACK"));
            ok = false;
        } else if (ok && !q.exec(QStringLiteral("COMMIT"))) {
            erro = Erro::de(q);
            QSqlQuery(c.db()).exec(QStringLiteral("ROLLBACK"));
            ok = false;
        }
    }
    if (ok) {
        funcionou(chave(tabela, true));
    } else {
        erro = examinar(erro);
        avisar(chave(tabela, true), operacao, erro);
    }
    return ok;
}

namespace {

// The first row (rowid order) of a settings table.
bool primeiraLinha(const QSqlDatabase& db, const QString& tabela, QSqlRecord& saida, Erro& erro)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid LIMIT 1").arg(tabela))) {
        erro = Erro::de(q);
        return false;
    }
    if (!q.next()) {
        erro = Erro{Erro::Tipo::Formato,
                    QStringLiteral("A tabela %1 não tem a linha de configurações.").arg(tabela)};
        return false;
    }
    saida = q.record();
    return true;
}

} // namespace

// Updates every given field of the first row of a settings table.
bool Banco::salvarLinha(const QString& tabela, const QList<std::pair<QString, QVariant>>& campos,
                        const QString& operacao)
{
    return escrever(tabela, operacao, [&](const QSqlDatabase& db, Erro& e) {
        QSqlQuery linha(db);
        if (!linha.exec(QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid LIMIT 1").arg(tabela))) {
            e = Erro::de(linha);
            return false;
        }
        if (!linha.next()) {
            e = Erro{Erro::Tipo::Formato,
                     QStringLiteral("A tabela %1 não tem a linha de configurações.").arg(tabela)};
            return false;
        }
        const qlonglong rowid = linha.value(0).toLongLong();
        QStringList atribuicoes;
        for (const auto& campo : campos)
            atribuicoes << campo.first + QStringLiteral(" = ?");
        QSqlQuery q(db);
        q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(tabela, atribuicoes.join(u',')));
        for (const auto& campo : campos)
            q.addBindValue(campo.second);
        q.addBindValue(rowid);
        if (!q.exec()) {
            e = Erro::de(q);
            return false;
        }
        return true;
    });
}

namespace {

// "k1 = ? AND k2 = ?" over the key columns, for a query that binds their values in order.
QString condicaoDasChaves(const QList<std::pair<QString, QString>>& chaves)
{
    QStringList condicoes;
    for (const auto& chave : chaves)
        condicoes << chave.first + QStringLiteral(" = ?");
    return condicoes.join(QStringLiteral(" AND "));
}

// Find-or-add a history row by its keys; returns its rowid or -1 with `erro` set.
qlonglong acharOuAdicionar(const QSqlDatabase& db, const QString& tabela,
                           const QList<std::pair<QString, QString>>& chaves, Erro& erro)
{
    // The first row in stored order whose keys are equal as text (the key columns are TEXT,
    // so SQL equality on bound texts is the same comparison), found by the engine.
    QSqlQuery q(db);
    QStringList colunas;
    for (const auto& chave : chaves)
        colunas << chave.first;
    if (!q.prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY rowid LIMIT 1")
                       .arg(tabela, condicaoDasChaves(chaves)))) {
        erro = Erro::de(q);
        return -1;
    }
    for (const auto& chave : chaves)
        q.addBindValue(chave.second);
    if (!q.exec()) {
        erro = Erro::de(q);
        return -1;
    }
    if (q.next())
        return q.value(0).toLongLong();
    QSqlQuery novo(db);
    QStringList marcas(chaves.size(), QStringLiteral("?"));
    novo.prepare(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(tabela, colunas.join(u','), marcas.join(u',')));
    for (const auto& chave : chaves)
        novo.addBindValue(chave.second);
    if (!novo.exec()) {
        erro = Erro::de(novo);
        return -1;
    }
    return novo.lastInsertId().toLongLong();
}

} // namespace

bool Banco::gravarColuna(const QString& tabela, const QList<std::pair<QString, QString>>& chaves,
                         const QString& coluna, const QString& valor, const QString& operacao)
{
    return escrever(tabela, operacao, [&](const QSqlDatabase& db, Erro& e) {
        const qlonglong rowid = acharOuAdicionar(db, tabela, chaves, e);
        if (rowid < 0)
            return false;
        QSqlQuery q(db);
        if (!q.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(tabela, coluna))) {
            e = Erro::de(q);
            return false;
        }
        q.addBindValue(valor);
        q.addBindValue(rowid);
        if (!q.exec()) {
            e = Erro::de(q);
            return false;
        }
        return true;
    });
}

std::optional<QString> Banco::lerColuna(const QString& tabela,
                                        const QList<std::pair<QString, QString>>& chaves,
                                        const QString& coluna, const QString& operacao)
{
    QString valor;
    const bool ok = ler(tabela, operacao, [&](const QSqlDatabase& db, Erro& e) {
        QSqlQuery q(db);
        if (!q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY rowid LIMIT 1")
                           .arg(coluna, tabela, condicaoDasChaves(chaves)))) {
            e = Erro::de(q);
            return false;
        }
        for (const auto& parte : chaves)
            q.addBindValue(parte.second);
        if (!q.exec()) {
            e = Erro::de(q);
            return false;
        }
        if (q.next() && !q.value(0).isNull())
            valor = q.value(0).toString();
        return true;
    });
    if (!ok)
        return std::nullopt;
    return valor;
}

namespace {
QString nomeMes(const QString& ano, int mes)
{
    return strings::doisDigitos(mes) + u'/' + ano;
}
} // namespace

QString caminhoBanco()
{
    return QDir(costuras::pastaAplicacao()).filePath(constantes::nomeBanco);
}

QString uriBanco(const QString& caminho, bool somenteLeitura)
{
    QUrl url = QUrl::fromLocalFile(caminho);
    url.setScheme(QStringLiteral("file"));
    return url.toString(QUrl::FullyEncoded) +
           (somenteLeitura ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw"));
}

void Banco::novaAcaoDoOperador()
{
    m_falhas = Falhas{};
}

bool Banco::lerEthernet(Ethernet& saida)
{
    QSqlRecord r;
    Erro erro;
    const bool ok = ler(
        QStringLiteral("ethernet"), QStringLiteral("ler o endereço do contador"),
        [&](const QSqlDatabase& db, Erro& e) {
            if (!primeiraLinha(db, QStringLiteral("ethernet"), r, e))
                return false;
            for (const char* campo : {"txt_ip1CP", "txt_ip2CP", "txt_ip3CP", "txt_ip4CP"}) {
                const int i = r.indexOf(QLatin1String(campo));
                if (i < 0 || r.value(i).isNull()) {
                    e = Erro::nosso(Erro::Tipo::Formato);
                    return false;
                }
            }
            return true;
        },
        false, &erro);
    const QString chaveOperacao = chave(QStringLiteral("ethernet"), false);
    // A file that is there but in use, damaged or out of reach is told as such: "not found"
    // would send the operator looking for a file that is in its place.
    if (!ok && erro.tipo != Erro::Tipo::Ausente && erro.tipo != Erro::Tipo::Formato) {
        avisar(chaveOperacao, QStringLiteral("ler o endereço do contador"), erro);
        return false;
    }
    if (!ok) {
        // The guarded read of a file or row that is not there: its text is fixed. It runs on
        // every request, so it is told once, not once per request.
        mensagens::Pedido p;
        p.titulo = constantes::tituloAplicacao;
        p.texto = QStringLiteral("Não encontramos o arquivo fluxoradb.mdb\r\n\r\n.");
        informar(chaveOperacao, p);
        return false;
    }
    funcionou(chaveOperacao);
    Ethernet lido;
    QString* const octetos[] = {&lido.ip1, &lido.ip2, &lido.ip3, &lido.ip4};
    QStringList guardado;
    bool valido = true;
    for (int i = 0; i < 4; ++i) {
        const QVariant valor = r.value(QStringLiteral("txt_ip%1CP").arg(i + 1));
        guardado << valor.toString().left(20);
        const auto octeto = octetoValido(valor);
        valido = valido && octeto.has_value();
        if (octeto)
            *octetos[i] = QString::number(*octeto);
    }
    if (!valido) {
        // Told once per damaged address, not again at each request or keystroke: the operator
        // is typing the right one in the network window meanwhile.
        const QString danificado = guardado.join(u'.');
        if (danificado != m_enderecoInvalido && !mensagens::exibindo()) {
            m_enderecoInvalido = danificado;
            mensagens::Pedido p;
            p.titulo = constantes::tituloAplicacao;
            p.texto = QStringLiteral("O endereço do contador guardado no banco de dados não é válido.\r\n\r\n"
                                     "Digite o endereço em Configurações, Configurar Rede.");
            mensagens::mostrar(p);
        }
        saida = Ethernet{};
        return false;
    }
    m_enderecoInvalido.clear();
    saida = lido;
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
    QSqlRecord r;
    if (!ler(QStringLiteral("painelSimples"), QStringLiteral("ler as configurações do painel simples"),
             [&](const QSqlDatabase& db, Erro& e) {
                 return primeiraLinha(db, QStringLiteral("painelSimples"), r, e);
             }))
        return false;
    // Not a number (letters, empty) reads as NaN, which no range admits: the panel's default.
    auto num = [&](const char* campo) {
        bool ok = false;
        const double d = r.value(QLatin1String(campo)).toDouble(&ok);
        return ok ? d : std::numeric_limits<double>::quiet_NaN();
    };
    saida.lotacaoFonte = num("lotacaoFonte");
    saida.lotacaoPosicao = num("lotacaoPosicao");
    saida.totalFonte = num("totalFonte");
    saida.totalPosicao = num("totalPosicao");
    // Out of int's range the cast would be undefined; -1 is no box state and reads as default.
    saida.chktotal = inteiroOu(r.value(QStringLiteral("chktotal")), -1);
    saida.chklotacao = inteiroOu(r.value(QStringLiteral("chklotacao")), -1);
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
    QSqlRecord r;
    if (!ler(QStringLiteral("painelavancado"), QStringLiteral("ler os ajustes do painel avançado"),
             [&](const QSqlDatabase& db, Erro& e) {
                 return primeiraLinha(db, QStringLiteral("painelavancado"), r, e);
             }))
        return false;
    saida.cmb_inicio = r.value(QStringLiteral("cmb_inicio")).toString();
    saida.cmb_fim = r.value(QStringLiteral("cmb_fim")).toString();
    saida.cmb_tempoMes = r.value(QStringLiteral("cmb_tempoMes")).toString();
    saida.cmb_tempoDia = r.value(QStringLiteral("cmb_tempoDia")).toString();
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
                   "infoLotado TEXT, telaPainel TEXT, dia TEXT, avisoPercentual INTEGER)");

bool tabelaExiste(const QSqlDatabase& db, const QString& tabela, Erro& erro, bool& existe)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?"));
    q.addBindValue(tabela);
    if (!q.exec() || !q.next()) {
        erro = Erro::de(q);
        return false;
    }
    existe = q.value(0).toInt() > 0;
    return true;
}
} // namespace

bool Banco::lerLotacao(Lotacao& saida, bool relatarFalha)
{
    // A file from before the table keeps its defaults until the first save; reading never
    // writes, so a read-only file still opens the panel.
    std::optional<QSqlRecord> linha;
    const bool ok = ler(
        tabelaLotacao, QStringLiteral("ler a lotação máxima"),
        [&](const QSqlDatabase& db, Erro& e) {
            bool existe = false;
            if (!tabelaExiste(db, tabelaLotacao, e, existe))
                return false;
            if (!existe)
                return true;
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("SELECT * FROM painelLotacao ORDER BY rowid LIMIT 1"))) {
                e = Erro::de(q);
                return false;
            }
            if (q.next())
                linha = q.record();
            return true;
        },
        relatarFalha);
    if (!ok)
        return false;
    Lotacao v;
    if (linha) {
        v.maxima = inteiroOu(linha->value(QStringLiteral("lotacaoMaxima")), 0);
        if (v.maxima < 0 || v.maxima > lotacaoMaximaLimite)
            v.maxima = 0;
        // The percentage column marks a row written since the level became a percentage.
        const QVariant percentual = linha->value(QStringLiteral("avisoPercentual"));
        v.aviso =
            !percentual.isNull()
                ? avisoValido(percentual)
                : percentualDePessoas(v.maxima, inteiroOu(linha->value(QStringLiteral("lotacaoAviso")), 0));
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
    return escrever(
        tabelaLotacao, QStringLiteral("gravar a lotação máxima"), [&](const QSqlDatabase& db, Erro& e) {
            QSqlQuery q(db);
            if (!q.exec(criarTabelaLotacao) ||
                !q.exec(QStringLiteral("SELECT rowid FROM painelLotacao ORDER BY rowid LIMIT 1"))) {
                e = Erro::de(q);
                return false;
            }
            const bool haLinha = q.next();
            const qlonglong rowid = haLinha ? q.value(0).toLongLong() : -1;
            // A table made before the percentage gains its column on the first save.
            QSqlQuery colunas(db);
            if (!colunas.exec(QStringLiteral("SELECT count(*) FROM pragma_table_info('painelLotacao') "
                                             "WHERE name = 'avisoPercentual'")) ||
                !colunas.next() ||
                (colunas.value(0).toInt() == 0 &&
                 !colunas.exec(
                     QStringLiteral("ALTER TABLE painelLotacao ADD COLUMN avisoPercentual INTEGER")))) {
                e = Erro::de(colunas);
                return false;
            }
            QSqlQuery g(db);
            g.prepare(
                haLinha
                    ? QStringLiteral(
                          "UPDATE painelLotacao SET lotacaoMaxima = ?, lotacaoAviso = ?, "
                          "infoLotado = ?, telaPainel = ?, dia = ?, avisoPercentual = ? WHERE rowid = ?")
                    : QStringLiteral("INSERT INTO painelLotacao (lotacaoMaxima, lotacaoAviso, infoLotado, "
                                     "telaPainel, dia, avisoPercentual) VALUES (?, ?, ?, ?, ?, ?)"));
            const int maxima = std::clamp(v.maxima, 0, lotacaoMaximaLimite);
            const int aviso = avisoValido(v.aviso);
            g.addBindValue(maxima);
            g.addBindValue(pessoasDoPercentual(maxima, aviso));
            g.addBindValue(v.mensagemLotado.trimmed());
            g.addBindValue(v.tela);
            g.addBindValue(dia.toString(Qt::ISODate));
            g.addBindValue(aviso);
            if (haLinha)
                g.addBindValue(rowid);
            if (!g.exec()) {
                e = Erro::de(g);
                return false;
            }
            return true;
        });
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
    return gravarColuna(
        QStringLiteral("Dias"), {{QStringLiteral("mes"), mes}, {QStringLiteral("ano"), ano}}, coluna, serie,
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
    return lerColuna(
        QStringLiteral("Dias"), {{QStringLiteral("ano"), ano}, {QStringLiteral("mes"), mes}}, coluna,
        QStringLiteral("ler o histórico do dia %1/%2/%3").arg(strings::doisDigitos(dia), mes, ano));
}

std::optional<QStringList> Banco::listarAnos()
{
    QStringList anos;
    const bool ok = ler(QStringLiteral("Meses"), QStringLiteral("ler os anos do histórico"),
                        [&](const QSqlDatabase& db, Erro& e) {
                            QSqlQuery q(db);
                            if (!q.exec(QStringLiteral("SELECT ano FROM Meses ORDER BY rowid"))) {
                                e = Erro::de(q);
                                return false;
                            }
                            while (q.next())
                                anos << q.value(0).toString();
                            return true;
                        });
    if (!ok)
        return std::nullopt;
    return anos;
}

std::optional<QStringList> Banco::lerAno(const QString& ano)
{
    QStringList meses;
    const bool ok =
        ler(QStringLiteral("Meses"), QStringLiteral("ler o histórico do ano %1").arg(ano),
            [&](const QSqlDatabase& db, Erro& e) {
                QStringList colunas;
                for (int m = 1; m <= 12; ++m)
                    colunas << datas::colunaMes(m);
                QSqlQuery q(db);
                if (!q.prepare(QStringLiteral("SELECT %1 FROM Meses WHERE ano = ? ORDER BY rowid LIMIT 1")
                                   .arg(colunas.join(u',')))) {
                    e = Erro::de(q);
                    return false;
                }
                q.addBindValue(ano);
                if (!q.exec()) {
                    e = Erro::de(q);
                    return false;
                }
                if (q.next())
                    for (int m = 0; m < 12; ++m)
                        meses << q.value(m).toString();
                return true;
            });
    if (!ok)
        return std::nullopt;
    return meses;
}

std::optional<QList<Banco::MesDias>> Banco::lerDiasDosAnos(const QString& anoDe, const QString& anoAte)
{
    QList<MesDias> linhas;
    const bool ok =
        ler(QStringLiteral("Dias"), QStringLiteral("ler o histórico de %1 a %2").arg(anoDe, anoAte),
            [&](const QSqlDatabase& db, Erro& e) {
                QStringList colunas;
                for (int d = 1; d <= 31; ++d)
                    colunas << datas::colunaDia(d);
                QSqlQuery q(db);
                q.setForwardOnly(true);
                if (!q.prepare(QStringLiteral("SELECT ano, mes, %1 FROM Dias WHERE ano BETWEEN ? AND ? "
                                              "ORDER BY rowid")
                                   .arg(colunas.join(u',')))) {
                    e = Erro::de(q);
                    return false;
                }
                q.addBindValue(anoDe);
                q.addBindValue(anoAte);
                if (!q.exec()) {
                    e = Erro::de(q);
                    return false;
                }
                while (q.next()) {
                    MesDias linha{q.value(0).toString(), q.value(1).toString(), {}};
                    linha.dias.reserve(31);
                    for (int d = 1; d <= 31; ++d)
                        linha.dias << q.value(1 + d).toString();
                    linhas << linha;
                }
                return true;
            });
    if (!ok)
        return std::nullopt;
    return linhas;
}

bool Banco::excluirMes(const QString& ano, int mes)
{
    // The table a failure is told under: the work names the one that failed (escrever reads it
    // after the work ran).
    QString tabela = QStringLiteral("Meses");
    const bool ok =
        escrever(tabela, QStringLiteral("excluir o histórico do mês %1").arg(nomeMes(ano, mes)),
                 [&](const QSqlDatabase& db, Erro& e) {
                     QSqlQuery q(db);
                     if (!q.exec(QStringLiteral("SELECT rowid, ano FROM Meses ORDER BY rowid"))) {
                         e = Erro::de(q);
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
                     QSqlQuery d(db);
                     d.prepare(QStringLiteral("DELETE FROM Dias WHERE ano = ? AND mes = ?"));
                     d.addBindValue(ano);
                     d.addBindValue(QStringLiteral("%1").arg(mes, 2, 10, QLatin1Char('0')));
                     if (!d.exec()) {
                         e = Erro::de(d);
                         tabela = QStringLiteral("Dias");
                         return false;
                     }
                     if (rowid < 0)
                         return true; // no such year in Meses
                     QSqlQuery u(db);
                     u.prepare(QStringLiteral("UPDATE Meses SET %1 = ? WHERE rowid = ?").arg(coluna));
                     u.addBindValue(serie::mesZerado());
                     u.addBindValue(rowid);
                     if (!u.exec()) {
                         e = Erro::de(u);
                         return false;
                     }
                     return true;
                 });
    if (ok) {
        funcionou(chave(QStringLiteral("Meses"), true));
        funcionou(chave(QStringLiteral("Dias"), true));
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
            QStringLiteral(
                "CREATE TABLE painelSimples (lotacaoFonte REAL, lotacaoPosicao REAL, totalFonte REAL, "
                "totalPosicao REAL, chktotal INTEGER, chklotacao INTEGER, tempoAtualizacao TEXT, "
                "legendaFonteTotal REAL, legendaFonte REAL, legendaPosicao REAL, legendaTotalPosicao "
                "REAL, infoEmpresaFonte REAL, infoEmpresa TEXT, dia TEXT)"),
            QStringLiteral("CREATE TABLE painelavancado (cmb_inicio TEXT, cmb_fim TEXT, cmb_tempoMes TEXT, "
                           "cmb_tempoDia TEXT)"),
            QStringLiteral(
                "CREATE TABLE Meses (ano TEXT, jan TEXT, fev TEXT, mar TEXT, abr TEXT, mai TEXT, jun "
                "TEXT, jul TEXT, ago TEXT, sete TEXT, out TEXT, nov TEXT, dez TEXT)"),
        };
        QString dias = QStringLiteral("CREATE TABLE Dias (ano TEXT, mes TEXT");
        for (int d = 1; d <= 31; ++d)
            dias += QStringLiteral(", hora%1 TEXT").arg(d);
        comandos << dias + u')';
        const QString hoje = QDate::currentDate().toString(Qt::ISODate);
        comandos << QStringLiteral("INSERT INTO ethernet VALUES (127, 0, 0, 1, '%1')").arg(hoje)
                 // The defaults of the simple panel's "Padrões" for a 1920 x 1080 screen.
                 << QStringLiteral(
                        "INSERT INTO painelSimples VALUES (200, 32, 200, 384, 0, 0, '10s', 30, 30, 8, "
                        "360, 18, 'Seja bem-vindo!', '%1')")
                        .arg(hoje)
                 << QStringLiteral("INSERT INTO painelavancado VALUES ('08h', '18h', '03 min', '30 seg')")
                 // No limit until the operator sets one.
                 << criarTabelaLotacao
                 << QStringLiteral(
                        "INSERT INTO painelLotacao VALUES (0, 0, 'Lotação máxima atingida. Por favor, "
                        "aguarde.', '', '%1', 90)")
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
