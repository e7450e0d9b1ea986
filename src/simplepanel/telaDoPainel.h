#pragma once

#include "encaixeTela.h"

#include <QObject>
#include <QRect>

#include <functional>

class LotacaoDoPainel;
class QuadroOpcoes;
class QWidget;

// The screen the simple panel covers: chosen among those present (beside the main window, or
// the operator's choice in the options frame), followed as screens come, go or change size,
// and the room its numbers have there.
class TelaDoPainel : public QObject {
    Q_OBJECT
public:
    // `janelaPrincipal` gives the main window, which the panel keeps clear of when there is
    // another screen; it may be empty or give null.
    TelaDoPainel(QWidget& painel, std::function<QWidget*()> janelaPrincipal, LotacaoDoPainel& lotacao,
                 QuadroOpcoes& opcoes);

    // Chooses the screen for the operator's choice and moves the panel there. `carregado`: the
    // panel's numbers are laid out already; before that the panel takes a stand-in size when
    // there is no screen at all.
    void acompanhar(bool carregado);
    // The chosen screen's button in the options frame.
    void atualizarLegenda();
    // From now on, any change of the screens makes `telasMudaram` come once things settle.
    void seguirTelas();

    int largura() const { return m_largura; }
    int altura() const { return m_altura; }
    QString nome() const { return m_nome; }

    // The numbers and legends of `d` fitted to this screen, or its "Padrões".
    void encaixar(regrasPainelSimples::Disposicao& d, const encaixeTela::Tintas& t) const;
    void padroes(regrasPainelSimples::Disposicao& d, const encaixeTela::Tintas& t) const;

Q_SIGNALS:
    // The screen's size changed (or was taken for the first time): the panel lays itself out.
    void tamanhoMudou();
    // The choice is to be made again: at once for the operator's click, once things settle for
    // a change of the screens.
    void acompanharPedido();

private:
    QRect geometriaJanelaPrincipal() const;
    encaixeTela::Espaco espacoNumeros(const regrasPainelSimples::Disposicao& d) const;

    QWidget& m_painel;
    std::function<QWidget*()> m_janelaPrincipal;
    LotacaoDoPainel& m_lotacao;
    QuadroOpcoes& m_opcoes;
    qint16 m_largura = 0;
    qint16 m_altura = 0;
    QString m_nome;
    QRect m_geometria;
};
