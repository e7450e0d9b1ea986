#include "janelaImportacao.h"

#include "constantes.h"
#include "mensagens.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

JanelaImportacao::JanelaImportacao(const QString& destino, QWidget* parent)
    : QDialog(parent), m_destino(destino)
{
    setWindowTitle(u"Importar histórico"_s);
    setObjectName(u"importarHistorico"_s);
    auto* layout = new QVBoxLayout(this);
    auto* escolher = new QPushButton(u"Escolher banco de dados…"_s);
    escolher->setObjectName(u"cmd_escolher"_s);
    connect(escolher, &QPushButton::clicked, this, &JanelaImportacao::escolher);
    m_lblArquivo = new QLabel(u"Escolha o Fluxoradb.mdb de outra instalação (Jet 4.0 ou do Fluxora)."_s);
    m_lblArquivo->setObjectName(u"lbl_arquivo"_s);
    m_lblArquivo->setWordWrap(true);
    m_lblConteudo = new QLabel;
    m_lblConteudo->setObjectName(u"lbl_conteudo"_s);
    m_chkAjustes = new QCheckBox(u"Trazer também os ajustes (endereço do contador e painéis)"_s);
    m_chkAjustes->setObjectName(u"chk_ajustes"_s);
    m_cmdImportar = new QPushButton(u"Importar"_s);
    m_cmdImportar->setObjectName(u"cmd_importar"_s);
    m_cmdImportar->setEnabled(false);
    connect(m_cmdImportar, &QPushButton::clicked, this, &JanelaImportacao::importar);
    m_barProgresso = new QProgressBar;
    m_barProgresso->setObjectName(u"bar_progresso"_s);
    m_barProgresso->setValue(0);
    m_lblResumo = new QLabel;
    m_lblResumo->setObjectName(u"lbl_resumo"_s);
    m_lblResumo->setWordWrap(true);
    auto* fechar = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(fechar, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QWidget* w : {static_cast<QWidget*>(m_lblArquivo), static_cast<QWidget*>(escolher),
                       static_cast<QWidget*>(m_lblConteudo), static_cast<QWidget*>(m_chkAjustes),
                       static_cast<QWidget*>(m_cmdImportar), static_cast<QWidget*>(m_barProgresso),
                       static_cast<QWidget*>(m_lblResumo), static_cast<QWidget*>(fechar)})
        layout->addWidget(w);
    resize(480, 320);
}

void JanelaImportacao::escolher()
{
    const QString caminho = QFileDialog::getOpenFileName(this, u"Banco de dados de outra instalação"_s,
                                                         QFileInfo(m_destino).absolutePath(),
                                                         u"Bancos de dados (*.mdb);;Todos os arquivos (*)"_s);
    if (!caminho.isEmpty())
        abrirArquivo(caminho);
}

bool JanelaImportacao::abrirArquivo(const QString& caminho)
{
    m_lblResumo->clear();
    m_barProgresso->setValue(0);
    if (QFileInfo(caminho).canonicalFilePath() == QFileInfo(m_destino).canonicalFilePath()) {
        m_conteudo.reset();
        m_cmdImportar->setEnabled(false);
        mensagens::mostrar({u"Este é o banco de dados em uso; escolha o de outra instalação."_s,
                            constantes::tituloAplicacao, mensagens::Botoes::Ok, mensagens::Icone::Aviso});
        return false;
    }
    QString erro;
    m_conteudo = importacao::ler(caminho, erro);
    m_cmdImportar->setEnabled(m_conteudo.has_value());
    m_lblArquivo->setText(QFileInfo(caminho).absoluteFilePath());
    if (!m_conteudo) {
        m_lblConteudo->clear();
        mensagens::mostrar(
            {erro, constantes::tituloAplicacao, mensagens::Botoes::Ok, mensagens::Icone::Erro});
        return false;
    }
    const importacao::Resumo r = importacao::resumir(*m_conteudo);
    m_lblConteudo->setText(r.dias == 0 ? u"Este banco de dados não tem visitas registradas."_s
                                       : u"%1 ano(s), %2 mês(es) e %3 dia(s) com visitas, de %4 a %5."_s.arg(
                                             QString::number(r.anos), QString::number(r.meses),
                                             QString::number(r.dias), r.primeiro.toString(u"dd/MM/yyyy"_s),
                                             r.ultimo.toString(u"dd/MM/yyyy"_s)));
    return true;
}

bool JanelaImportacao::importar()
{
    if (!m_conteudo)
        return false;
    QString erro;
    const auto r = importacao::mesclar(
        m_destino, *m_conteudo, m_chkAjustes->isChecked(), erro, [this](int feito, int total) {
            m_barProgresso->setMaximum(total);
            m_barProgresso->setValue(feito);
            if (feito % 50 == 0)
                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    if (!r) {
        mensagens::mostrar({u"Nada foi importado: %1"_s.arg(erro), constantes::tituloAplicacao,
                            mensagens::Botoes::Ok, mensagens::Icone::Erro});
        return false;
    }
    m_barProgresso->setValue(m_barProgresso->maximum());
    QString texto =
        u"Importados %1 mês(es) e %2 dia(s)."_s.arg(QString::number(r->meses), QString::number(r->dias));
    if (!r->diferentes.isEmpty()) {
        QStringList mostrados = r->diferentes.mid(0, 12);
        if (r->diferentes.size() > mostrados.size())
            mostrados << u"…"_s;
        texto += u" %1 diferiam; ficou a contagem maior: %2"_s.arg(QString::number(r->diferentes.size()),
                                                                   mostrados.join(u", "_s));
        if (!texto.endsWith(u'…'))
            texto += u'.';
    }
    m_lblResumo->setText(texto);
    return true;
}
