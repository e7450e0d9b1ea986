// fluxora-simulador: plays the people counter on a loopback address, for demonstrations and tests.
#include "resposta.h"
#include "servidor.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QSocketNotifier>

#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace {

const char* const ajuda = R"(Uso: fluxora-simulador [opções]
Simula o contador de pessoas: responde a "GET /N HTTP/1.0" como o aparelho e fecha a conexão.

Opções:
  --endereco END     endereço de escuta, só loopback (127.0.0.0/8 ou ::1); padrão 127.0.0.1
  --porta N          porta TCP; 0 escolhe uma porta livre; padrão 80
  --semente N        semente das contagens (mesma semente, mesmas contagens); padrão 1
  --data DD/MM/AAAA  data inicial do relógio simulado
  --hora HH:MM:SS    hora inicial do relógio simulado; o relógio anda a partir dela
  --congelar         mantém o relógio parado no instante inicial
  --falha MODO       responde com o defeito MODO (abaixo); padrão normal
  --atraso MS        espera MS milissegundos antes de cada resposta (até 60000)
  --desvio S         o relógio do aparelho anda S segundos à frente (negativo: atrás)
                     do simulado; dia e mês do aparelho mudam à meia-noite dele
  --omitir LISTA     deixa de fora das páginas as entradas da lista (ex.: d31,h14)
  --ilegivel LISTA   manda as entradas da lista com valor ilegível (ex.: 00?42)
  --mostrar PAGINA   imprime a resposta da página (0 a 6) e sai, sem abrir a porta
  -h, --help         mostra esta ajuda

Páginas:
  /0  informações do aparelho (firmware, tempo ligado)
  /1 /2 /3  visitas dos dias 1-12, 13-24 e 25-31 do mês ("d":N,)
  /4 /5     visitas das horas 0-11 e 12-23 de hoje ("h":N,)
  /6        lotação agora ("h":34,) e total de hoje ("h":35,)
  outra     resposta com "status":0,

Modos de falha:
  normal      resposta correta
  status0     marcador "status":0,
  curta       resposta válida de até 600 caracteres
  lenta       resposta em pedaços de 40 bytes ao longo de cerca de 2 s
  gotejo      resposta um byte por pacote, um a cada milissegundo
  lixo        bytes aleatórios, sem marcador
  enorme      envia dados sem parar por 60 s ou até o cliente desconectar
  corte       envia metade da resposta e fecha
  mudo        aceita a conexão e nunca responde
  semarduino  resposta normal sem a palavra Arduino

Saída: "ouvindo END:PORTA" quando começa a escutar; "pedido /N" a cada pedido recebido.
Entrada (cada comando é confirmado repetindo a linha na saída):
  falha MODO                troca o modo de falha em execução
  falha atraso MS           como --atraso
  falha desvio S            como --desvio
  falha omitir LISTA        como --omitir ("-" para nenhuma)
  falha ilegivel LISTA      como --ilegivel ("-" para nenhuma)
  relogio DD/MM/AAAA HH:MM:SS  acerta o relógio simulado (parado, se --congelar)
  sair                      encerra
)";

void erro(const QString& texto)
{
    const QByteArray bytes = "fluxora-simulador: " + texto.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
}

struct Opcoes {
    QHostAddress endereco{QHostAddress::LocalHost};
    quint16 porta = 80;
    std::uint32_t semente = 1;
    QDate data;
    QTime hora;
    bool congelar = false;
    resposta::Falha falha = resposta::Falha::Normal;
    int atrasoMs = 0;
    qint64 desvioS = 0;
    QSet<QByteArray> omitidas;
    QSet<QByteArray> ilegiveis;
    std::optional<QByteArray> mostrar;
    bool ajuda = false;
};

// A setting shared by an option and a `falha` command; false after reporting a bad value.
bool lerAjuste(const QString& nome, const QString& valor, int& atrasoMs, qint64& desvioS,
               QSet<QByteArray>& omitidas, QSet<QByteArray>& ilegiveis)
{
    bool ok = false;
    if (nome == QLatin1String("atraso")) {
        const int ms = valor.toInt(&ok);
        if ((ok = ok && ms >= 0 && ms <= 60000))
            atrasoMs = ms;
    } else if (nome == QLatin1String("desvio")) {
        const qint64 s = valor.toLongLong(&ok);
        if ((ok = ok && qAbs(s) <= 366LL * 24 * 3600))
            desvioS = s;
    } else if (const auto entradas = resposta::lerEntradas(valor); entradas) {
        ok = true;
        (nome == QLatin1String("omitir") ? omitidas : ilegiveis) = *entradas;
    }
    if (!ok)
        erro(QStringLiteral("valor inválido para %1: %2").arg(nome, valor));
    return ok;
}

// Empty optional after reporting the problem on stderr.
std::optional<Opcoes> lerOpcoes(QStringList args)
{
    Opcoes o;
    args.removeFirst();
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString nome = args.at(i);
        QString valor;
        bool temValor = false;
        if (const qsizetype igual = nome.indexOf(u'='); nome.startsWith(QLatin1String("--")) && igual > 0) {
            valor = nome.mid(igual + 1);
            nome = nome.left(igual);
            temValor = true;
        }
        auto proximo = [&]() -> std::optional<QString> {
            if (temValor)
                return valor;
            if (i + 1 >= args.size()) {
                erro(QStringLiteral("falta o valor de %1").arg(nome));
                return std::nullopt;
            }
            return args.at(++i);
        };
        if (nome == QLatin1String("-h") || nome == QLatin1String("--help")) {
            o.ajuda = true;
        } else if (nome == QLatin1String("--congelar")) {
            o.congelar = true;
        } else if (nome == QLatin1String("--endereco")) {
            const auto v = proximo();
            if (!v)
                return std::nullopt;
            const QHostAddress a(*v == QLatin1String("localhost") ? QStringLiteral("127.0.0.1") : *v);
            // Demos and tests must never put the counter on a real network.
            if (a.isNull() || !a.isLoopback()) {
                erro(QStringLiteral("endereço recusado: %1 (use um endereço loopback, 127.0.0.0/8 ou ::1)")
                         .arg(*v));
                return std::nullopt;
            }
            o.endereco = a;
        } else if (nome == QLatin1String("--porta")) {
            const auto v = proximo();
            if (!v)
                return std::nullopt;
            bool ok = false;
            const uint p = v->toUInt(&ok);
            if (!ok || p > 65535) {
                erro(QStringLiteral("porta inválida: %1").arg(*v));
                return std::nullopt;
            }
            o.porta = static_cast<quint16>(p);
        } else if (nome == QLatin1String("--semente")) {
            const auto v = proximo();
            if (!v)
                return std::nullopt;
            bool ok = false;
            o.semente = v->toUInt(&ok);
            if (!ok) {
                erro(QStringLiteral("semente inválida: %1").arg(*v));
                return std::nullopt;
            }
        } else if (nome == QLatin1String("--data")) {
            const auto v = proximo();
            if (!v)
                return std::nullopt;
            o.data = QDate::fromString(*v, QStringLiteral("dd/MM/yyyy"));
            if (!o.data.isValid()) {
                erro(QStringLiteral("data inválida: %1 (use DD/MM/AAAA)").arg(*v));
                return std::nullopt;
            }
        } else if (nome == QLatin1String("--hora")) {
            const auto v = proximo();
            if (!v)
                return std::nullopt;
            o.hora = QTime::fromString(*v, QStringLiteral("HH:mm:ss"));
            if (!o.hora.isValid()) {
                erro(QStringLiteral("hora inválida: %1 (use HH:MM:SS)").arg(*v));
                return std::nullopt;
            }
        } else if (nome == QLatin1String("--falha")) {
            const auto v = proximo();
            if (!v)
                return std::nullopt;
            const auto f = resposta::lerFalha(*v);
            if (!f) {
                erro(QStringLiteral("modo de falha desconhecido: %1").arg(*v));
                return std::nullopt;
            }
            o.falha = *f;
        } else if (nome == QLatin1String("--atraso") || nome == QLatin1String("--desvio") ||
                   nome == QLatin1String("--omitir") || nome == QLatin1String("--ilegivel")) {
            const auto v = proximo();
            if (!v || !lerAjuste(nome.mid(2), *v, o.atrasoMs, o.desvioS, o.omitidas, o.ilegiveis))
                return std::nullopt;
        } else if (nome == QLatin1String("--mostrar")) {
            const auto v = proximo();
            if (!v)
                return std::nullopt;
            QByteArray pagina = v->toLatin1();
            if (!pagina.startsWith('/'))
                pagina.prepend('/');
            o.mostrar = pagina;
        } else {
            erro(QStringLiteral("opção desconhecida: %1 (veja --help)").arg(nome));
            return std::nullopt;
        }
    }
    return o;
}

// Commands typed on stdin while running, so a test can change the fault without a restart.
void tratarComando(const QByteArray& linha, Servidor& servidor)
{
    const QList<QByteArray> partes = linha.simplified().split(' ');
    if (partes.value(0).isEmpty())
        return;
    if (partes.at(0) == "sair") {
        QCoreApplication::quit();
    } else if (partes.at(0) == "falha" && partes.size() == 3) {
        const QString nome = QString::fromLatin1(partes.at(1));
        int atrasoMs = 0;
        qint64 desvioS = 0;
        QSet<QByteArray> omitidas, ilegiveis;
        if (nome != QLatin1String("atraso") && nome != QLatin1String("desvio") &&
            nome != QLatin1String("omitir") && nome != QLatin1String("ilegivel")) {
            erro(QStringLiteral("ajuste desconhecido: %1").arg(nome));
        } else if (lerAjuste(nome, QString::fromLatin1(partes.at(2)), atrasoMs, desvioS, omitidas,
                             ilegiveis)) {
            if (nome == QLatin1String("atraso"))
                servidor.definirAtraso(atrasoMs);
            else if (nome == QLatin1String("desvio"))
                servidor.definirDesvio(desvioS);
            else if (nome == QLatin1String("omitir"))
                servidor.definirOmitidas(omitidas);
            else
                servidor.definirIlegiveis(ilegiveis);
            escreverLinha(QString::fromLatin1(linha.simplified()));
        }
    } else if (partes.at(0) == "relogio" && partes.size() == 3) {
        const QDateTime instante = QDateTime::fromString(
            QString::fromLatin1(partes.at(1) + ' ' + partes.at(2)), QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        if (instante.isValid()) {
            servidor.relogio().acertar(instante);
            escreverLinha(QString::fromLatin1(linha.simplified()));
        } else {
            erro(QStringLiteral("data e hora inválidas: %1").arg(QString::fromLatin1(linha.trimmed())));
        }
    } else if (partes.at(0) == "falha" && partes.size() == 2) {
        const QString nome = QString::fromLatin1(partes.at(1));
        if (const auto f = resposta::lerFalha(nome)) {
            servidor.definirFalha(*f);
            escreverLinha(QStringLiteral("falha ") + nome);
        } else {
            erro(QStringLiteral("modo de falha desconhecido: %1").arg(nome));
        }
    } else {
        erro(QStringLiteral("comando desconhecido: %1").arg(QString::fromLatin1(linha.trimmed())));
    }
}

void lerEntrada(Servidor& servidor, QObject* dono)
{
    if (::fcntl(STDIN_FILENO, F_GETFD) == -1)
        return;
    auto* aviso = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, dono);
    auto pendente = std::make_shared<QByteArray>();
    QObject::connect(aviso, &QSocketNotifier::activated, dono, [aviso, pendente, &servidor] {
        char buffer[512];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            // End of input (a demo run in the background): keep serving.
            aviso->setEnabled(false);
            return;
        }
        *pendente += QByteArray(buffer, static_cast<qsizetype>(n));
        for (qsizetype fim = pendente->indexOf('\n'); fim >= 0; fim = pendente->indexOf('\n')) {
            const QByteArray linha = pendente->left(fim);
            pendente->remove(0, fim + 1);
            tratarComando(linha, servidor);
        }
    });
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const auto opcoes = lerOpcoes(QCoreApplication::arguments());
    if (!opcoes)
        return 2;
    if (opcoes->ajuda) {
        std::fputs(ajuda, stdout);
        return 0;
    }

    Relogio relogio;
    if (opcoes->data.isValid() || opcoes->hora.isValid() || opcoes->congelar) {
        // A part not given is taken from the real clock.
        const QDateTime real = QDateTime::currentDateTime();
        relogio.fixar(QDateTime(opcoes->data.isValid() ? opcoes->data : real.date(),
                                opcoes->hora.isValid() ? opcoes->hora : real.time()),
                      opcoes->congelar);
    }

    Servidor servidor(relogio, opcoes->semente);
    servidor.definirFalha(opcoes->falha);
    servidor.definirAtraso(opcoes->atrasoMs);
    servidor.definirDesvio(opcoes->desvioS);
    servidor.definirOmitidas(opcoes->omitidas);
    servidor.definirIlegiveis(opcoes->ilegiveis);

    if (opcoes->mostrar) {
        const QByteArray texto = resposta::montar(*opcoes->mostrar, servidor.pedido());
        std::fwrite(texto.constData(), 1, static_cast<std::size_t>(texto.size()), stdout);
        return 0;
    }

    if (!servidor.ouvir(opcoes->endereco, opcoes->porta)) {
        erro(QStringLiteral("não foi possível escutar em %1 porta %2: %3")
                 .arg(opcoes->endereco.toString())
                 .arg(opcoes->porta)
                 .arg(servidor.erro()));
        return 1;
    }
    const QString endereco = opcoes->endereco.protocol() == QAbstractSocket::IPv6Protocol
                                 ? u'[' + opcoes->endereco.toString() + u']'
                                 : opcoes->endereco.toString();
    escreverLinha(QStringLiteral("ouvindo %1:%2").arg(endereco).arg(servidor.porta()));
    lerEntrada(servidor, &app);
    return QCoreApplication::exec();
}
