#pragma once

#include "regrasPainelSimples.h"

#include <QFrame>
#include <QList>
#include <QRect>

class QCheckBox;
class QLabel;
class QSpinBox;
class RotuloClicavel;

// The simple panel's options frame, under "?": the buttons that move and size the numbers,
// the boxes that hide them, the interval, "Padrões", the capacity limits and the screen. It
// lays its controls out for the screen's height and tells the panel what the operator asks.
class QuadroOpcoes : public QFrame {
    Q_OBJECT
public:
    // The frame's top edge on the panel, under "?" and the panel's "X".
    static constexpr int topo = 120;

    // The groups the controls move with when the screen is too short for one column: the
    // occupancy's cross, the total's cross, the message, the interval with "Padrões" and "X",
    // and the capacity column, which always starts a column of its own.
    enum class Grupo { Lotacao, Total, Mensagem, Ritmo, LotacaoMaxima };

    explicit QuadroOpcoes(QWidget* painel);

    // Places the groups for the room below the frame's top edge on a screen this high.
    void dispor(int alturaTela);

    // The buttons of a figure or of the message, hidden with what they act on.
    void mostrarBotoesLotacao(bool mostrar);
    void mostrarBotoesTotal(bool mostrar);
    void mostrarBotoesMensagem(bool mostrar);
    // The font sizes shown beside the buttons, and whether they are shown.
    void mostrarTamanhos(double lotacaoFonte, double totalFonte);
    void mostrarTamanhoLotacao(bool mostrar);
    void mostrarTamanhoTotal(bool mostrar);
    // The chosen screen: its number counted from 1, or below 0 for "Auto"; and the one covered.
    void mostrarTela(int indice, const QString& nomeAtual);

    QString tempoAtualizacao() const;
    void definirTempoAtualizacao(const QString& legenda);

    QCheckBox* chkLotacao() const { return m_chkLotacao; }
    QCheckBox* chkTotal() const { return m_chkTotal; }
    QCheckBox* chkInfoEmpresa() const { return m_chkInfoEmpresa; }
    QCheckBox* chkInfoLotado() const { return m_chkInfoLotado; }
    QSpinBox* txtLotacaoMaxima() const { return m_txtLotacaoMaxima; }
    QSpinBox* txtLotacaoAviso() const { return m_txtLotacaoAviso; }

Q_SIGNALS:
    // A button that moves or sizes a figure, a legend or the message.
    void ajustePedido(regrasPainelSimples::Ajuste ajuste);
    void tempoAtualizacaoClicado();
    void redefinirClicado();
    void telaClicada();
    // The pointer came over the frame's "X".
    void fecharPedido();

private:
    // A control with its place in the frame's original column and the group it moves with.
    struct Lugar {
        QWidget* controle;
        QRect lugar;
        Grupo grupo;
    };
    QWidget* colocar(QWidget* controle, const QRect& lugar, Grupo grupo);
    void criarColunaLotacaoMaxima();

    QList<Lugar> m_lugares;
    QList<QLabel*> m_botoesLotacao;
    QList<QLabel*> m_botoesTotal;
    QList<QLabel*> m_botoesMensagem;
    RotuloClicavel* m_lblTamLotacao = nullptr;
    RotuloClicavel* m_lblTamTotal = nullptr;
    RotuloClicavel* m_lblTempoAtualizacao = nullptr;
    RotuloClicavel* m_lblRedefinir = nullptr;
    RotuloClicavel* m_lblFecharOpcoes = nullptr;
    RotuloClicavel* m_lblTela = nullptr;
    QCheckBox* m_chkLotacao = nullptr;
    QCheckBox* m_chkTotal = nullptr;
    QCheckBox* m_chkInfoEmpresa = nullptr;
    QCheckBox* m_chkInfoLotado = nullptr;
    QSpinBox* m_txtLotacaoMaxima = nullptr;
    QSpinBox* m_txtLotacaoAviso = nullptr;
};
