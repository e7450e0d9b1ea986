#include "caixas.h"

#include "mensagens.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

namespace caixas {

namespace {

mensagens::Resposta mostrarCaixa(const mensagens::Pedido& pedido)
{
    QMessageBox caixa(QApplication::activeWindow());
    caixa.setWindowTitle(pedido.titulo);
    caixa.setText(pedido.texto);
    caixa.setTextFormat(Qt::PlainText);
    switch (pedido.icone) {
    case mensagens::Icone::Nenhum:
        caixa.setIcon(QMessageBox::NoIcon);
        break;
    case mensagens::Icone::Informacao:
        caixa.setIcon(QMessageBox::Information);
        break;
    case mensagens::Icone::Aviso:
        caixa.setIcon(QMessageBox::Warning);
        break;
    case mensagens::Icone::Erro:
        caixa.setIcon(QMessageBox::Critical);
        break;
    case mensagens::Icone::Pergunta:
        caixa.setIcon(QMessageBox::Question);
        break;
    }
    if (pedido.botoes == mensagens::Botoes::SimNao) {
        caixa.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        caixa.setDefaultButton(pedido.padraoNao ? QMessageBox::No : QMessageBox::Yes);
        return caixa.exec() == QMessageBox::Yes ? mensagens::Resposta::Sim : mensagens::Resposta::Nao;
    }
    caixa.setStandardButtons(QMessageBox::Ok);
    caixa.exec();
    return mensagens::Resposta::Ok;
}

} // namespace

void instalar()
{
    // The program speaks Brazilian Portuguese whatever the system's language.
    auto* traducao = new QTranslator(qApp);
    if (traducao->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(traducao);
    else
        qWarning("qtbase_pt_BR.qm not found: Qt's own buttons and menus stay in English");
    mensagens::instalar(mostrarCaixa);
}

} // namespace caixas
