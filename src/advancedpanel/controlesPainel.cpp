#include "controlesPainel.h"

#include <QComboBox>
#include <QFrame>

namespace controlesPainel {

QFont fonte(int pontos, bool negrito)
{
    QFont f(QStringLiteral("Segoe UI"));
    f.setPointSize(pontos);
    f.setBold(negrito);
    return f;
}

QLabel* rotulo(QWidget* pai, const QString& nome, const QString& texto, const QString& dica)
{
    auto* l = new QLabel(texto, pai);
    l->setObjectName(nome);
    l->setTextFormat(Qt::PlainText);
    if (!dica.isEmpty())
        l->setToolTip(dica);
    return l;
}

QFrame* linha(QWidget* pai, int n, bool vertical)
{
    auto* l = new QFrame(pai);
    l->setObjectName(QStringLiteral("Line%1").arg(n));
    l->setFrameShape(vertical ? QFrame::VLine : QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

void mostrarNoSeletor(QComboBox* seletor, const QString& texto)
{
    seletor->setCurrentIndex(seletor->findText(texto));
    seletor->setEditText(texto);
}

} // namespace controlesPainel
