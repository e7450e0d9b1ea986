#pragma once

#include "banco.h"
#include "regrasLotacao.h"

#include <QObject>

class QLabel;
class QLineEdit;
class QuadroOpcoes;

// The simple panel's capacity settings (table painelLotacao): the maximum, the warning level,
// the full-house message and the chosen screen, edited in the options frame's own column,
// and the colours the occupancy takes from them.
class LotacaoDoPainel : public QObject {
    Q_OBJECT
public:
    LotacaoDoPainel(banco::Banco& banco, QuadroOpcoes& quadro, QLineEdit& txtInfoLotado, QObject* pai);

    // Reads the row (its values stay as they were when it cannot be read) and shows it.
    void ler(bool relatarFalha);
    // Stores the row when the operator changed it here.
    void salvar();
    bool alterada() const { return m_alterada; }
    const banco::Lotacao& valores() const { return m_lotacao; }
    // The operator chose another screen for the panel.
    void escolherTela(const QString& tela);

    regrasLotacao::Estado estado(const QString& lotacao) const;
    // The occupancy and its legend in the colour of its state.
    void pintar(QLabel* lotacao, QLabel* legenda) const;
    // The message line when no message is being edited.
    QString mensagem(const QString& lotacao, const QString& mensagemEmpresa) const;

Q_SIGNALS:
    // The operator changed the maximum, the warning level or the full-house message.
    void alterou();

private:
    void alterar();

    banco::Banco& m_banco;
    QuadroOpcoes& m_quadro;
    QLineEdit& m_txtInfoLotado;
    banco::Lotacao m_lotacao;
    bool m_alterada = false;
};
