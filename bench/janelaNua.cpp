// The yardstick for the start-up figure: a bare Qt window with one large label and one
// 31-bar chart, which says when it was first painted and ends.
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

class Janela : public QWidget {
protected:
    bool event(QEvent* evento) override
    {
        if (evento->type() == QEvent::Paint && !m_visto) {
            m_visto = true;
            std::puts("pintado");
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
        }
        return QWidget::event(evento);
    }

private:
    bool m_visto = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Janela janela;
    auto* layout = new QVBoxLayout(&janela);
    auto* rotulo = new QLabel(QStringLiteral("00000"));
    QFont fonte(QStringLiteral("Courier New"));
    fonte.setPointSize(120);
    fonte.setBold(true);
    rotulo->setFont(fonte);
    layout->addWidget(rotulo);
    auto* conjunto = new QBarSet(QStringLiteral("dias"));
    QStringList dias;
    for (int d = 1; d <= 31; ++d) {
        *conjunto << d * 10;
        dias << QString::number(d);
    }
    auto* serie = new QBarSeries;
    serie->append(conjunto);
    auto* grafico = new QChart;
    grafico->addSeries(serie);
    auto* eixo = new QBarCategoryAxis;
    eixo->append(dias);
    grafico->addAxis(eixo, Qt::AlignBottom);
    serie->attachAxis(eixo);
    layout->addWidget(new QChartView(grafico));
    janela.resize(800, 600);
    janela.show();
    return QApplication::exec();
}
