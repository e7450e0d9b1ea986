#include "exportacao.h"

#include "arquivos.h"
#include "serie.h"
#include "textos.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace exportacao {

namespace {

bool negado(int erro)
{
    return erro == EACCES || erro == EPERM || erro == EROFS;
}

// The rename publishes a file: its bytes must be on disk first, whoever wrote them.
QString sincronizar(const QString& caminho)
{
    const int fd = ::open(QFile::encodeName(caminho).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    const int r = ::fsync(fd);
    const int erro = errno;
    ::close(fd);
    return r == 0 ? QString() : QString::fromLocal8Bit(std::strerror(erro));
}

// The temporary file beside the destination gets the whole content from `escrever`, then
// takes the destination's name in one rename: a failure leaves the old file as it was.
planilha::Resultado gravarAtomico(const QString& caminho,
                                  const std::function<QString(const QString&)>& escrever)
{
    planilha::Resultado r;
    const QFileInfo info(caminho);
    const QString pasta = info.absolutePath();
    planilha::removerTemporariosAntigos(pasta);
    // Mode bits are honoured even where the system would allow the write (as root).
    if ((info.exists() && !arquivos::modoPermiteEscrita(caminho)) ||
        (QFileInfo::exists(pasta) && !arquivos::modoPermiteEscrita(pasta))) {
        r.acessoNegado = true;
        return r;
    }
    QTemporaryFile temporario(
        QDir(pasta).filePath(QStringLiteral(".") + info.fileName() + QStringLiteral(".XXXXXX")));
    errno = 0;
    if (!temporario.open()) {
        r.acessoNegado = negado(errno) || temporario.error() == QFileDevice::PermissionsError;
        r.motivo = temporario.errorString();
        return r;
    }
    temporario.close();
    QString motivo = escrever(temporario.fileName());
    if (motivo.isEmpty())
        motivo = sincronizar(temporario.fileName());
    if (!motivo.isEmpty()) {
        r.motivo = motivo;
        return r;
    }
    const QFileDevice::Permissions modo = info.exists() ? QFile::permissions(caminho)
                                                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                              QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(temporario.fileName(), modo);
    errno = 0;
    if (std::rename(QFile::encodeName(temporario.fileName()).constData(),
                    QFile::encodeName(caminho).constData()) != 0) {
        r.acessoNegado = negado(errno);
        r.motivo = QString::fromLocal8Bit(std::strerror(errno));
        return r;
    }
    temporario.setAutoRemove(false);
    r.ok = true;
    return r;
}

QByteArray u8(const QString& s)
{
    return s.toUtf8();
}

QString fechar(lxw_workbook* livro)
{
    const lxw_error erro = workbook_close(livro);
    return erro == LXW_NO_ERROR ? QString() : QString::fromUtf8(lxw_strerror(erro));
}

} // namespace

QString nomeArquivoMes(const QString& ano, const QString& mes)
{
    return QStringLiteral("excel_") + ano + u'_' + mes + QStringLiteral(".xlsx");
}

planilha::Resultado gravarMesXlsx(const QString& caminho, const QString& mes, const QString& ano,
                                  const QList<std::pair<QString, QString>>& dias)
{
    return gravarAtomico(caminho, [&](const QString& temporario) {
        lxw_workbook* livro = workbook_new(QFile::encodeName(temporario).constData());
        if (!livro)
            return QStringLiteral("Sem memória para a planilha.");
        lxw_worksheet* folha = workbook_add_worksheet(livro, "Visitas");
        lxw_format* negrito = workbook_add_format(livro);
        format_set_bold(negrito);
        lxw_format* decimal = workbook_add_format(livro);
        format_set_num_format(decimal, "0.0");

        const QString titulo = QStringLiteral("Histórico de Visitas Mês ") + mes + u'/' + ano;
        worksheet_write_string(folha, 0, 0, u8(titulo).constData(), negrito);
        worksheet_write_string(folha, 1, 0, "Dia", negrito);
        worksheet_write_string(folha, 1, 1, "Visitas", negrito);
        long long total = 0;
        int comVisitas = 0;
        lxw_row_t linha = 2;
        // The chart always has 31 days; the sheet lists only the month's own.
        const QDate primeiro(static_cast<int>(strings::valorNumerico(ano)),
                             static_cast<int>(strings::valorNumerico(mes)), 1);
        const int diasNoMes = primeiro.isValid() ? primeiro.daysInMonth() : 31;
        for (const auto& [rotulo, valor] : dias) {
            const double dia = strings::valorNumerico(rotulo);
            if (dia > diasNoMes)
                continue;
            const double v = serie::valor(valor);
            worksheet_write_number(folha, linha, 0, dia, nullptr);
            worksheet_write_number(folha, linha, 1, v, nullptr);
            total += static_cast<long long>(v);
            comVisitas += v > 0 ? 1 : 0;
            ++linha;
        }
        const lxw_row_t ultima = linha - 1;
        ++linha;
        worksheet_write_string(folha, linha, 0, "Total", negrito);
        worksheet_write_number(folha, linha, 1, static_cast<double>(total), nullptr);
        ++linha;
        worksheet_write_string(folha, linha, 0, "Média por dia com visitas", negrito);
        worksheet_write_number(folha, linha, 1,
                               comVisitas > 0 ? static_cast<double>(total) / comVisitas : 0.0, decimal);
        worksheet_set_column(folha, 0, 0, 24, nullptr);
        worksheet_set_column(folha, 1, 1, 10, nullptr);
        // Printed as one landscape page: the figures beside their chart.
        worksheet_set_landscape(folha);
        worksheet_fit_to_pages(folha, 1, 1);

        if (ultima >= 2) {
            lxw_chart* grafico = workbook_add_chart(livro, LXW_CHART_COLUMN);
            const QByteArray categorias = QStringLiteral("=Visitas!$A$3:$A$%1").arg(ultima + 1).toUtf8();
            const QByteArray valores = QStringLiteral("=Visitas!$B$3:$B$%1").arg(ultima + 1).toUtf8();
            lxw_chart_series* serie = chart_add_series(grafico, categorias.constData(), valores.constData());
            chart_series_set_name(serie, "Visitas");
            chart_title_set_name(grafico, u8(titulo).constData());
            chart_legend_set_position(grafico, LXW_CHART_LEGEND_NONE);
            chart_axis_set_name(grafico->x_axis, "Dia");
            chart_axis_set_name(grafico->y_axis, "Visitas");
            lxw_chart_options opcoes{};
            opcoes.x_scale = 2.0;
            opcoes.y_scale = 1.5;
            worksheet_insert_chart_opt(folha, 1, 3, grafico, &opcoes);
        }
        return fechar(livro);
    });
}

planilha::Resultado gravarPeriodoXlsx(const QString& caminho, const QDate& inicio, const QDate& fim,
                                      const QList<relatorios::Dia>& dias)
{
    return gravarAtomico(caminho, [&](const QString& temporario) {
        // Decades of days: rows go straight to disk in order instead of being held in memory.
        lxw_workbook_options opcoes{};
        opcoes.constant_memory = LXW_TRUE;
        lxw_workbook* livro = workbook_new_opt(QFile::encodeName(temporario).constData(), &opcoes);
        if (!livro)
            return QStringLiteral("Sem memória para a planilha.");
        lxw_worksheet* folha = workbook_add_worksheet(livro, "Visitas");
        lxw_format* negrito = workbook_add_format(livro);
        format_set_bold(negrito);
        lxw_format* data = workbook_add_format(livro);
        format_set_num_format(data, "dd/mm/yyyy");

        const QString titulo = QStringLiteral("Visitas de ") + inicio.toString(QStringLiteral("dd/MM/yyyy")) +
                               QStringLiteral(" a ") + fim.toString(QStringLiteral("dd/MM/yyyy"));
        worksheet_write_string(folha, 0, 0, u8(titulo).constData(), negrito);
        worksheet_write_string(folha, 1, 0, "Data", negrito);
        worksheet_write_string(folha, 1, 1, "Dia da semana", negrito);
        // Headers of number columns sit over the numbers, on the right.
        lxw_format* negritoDireita = workbook_add_format(livro);
        format_set_bold(negritoDireita);
        format_set_align(negritoDireita, LXW_ALIGN_RIGHT);
        worksheet_write_string(folha, 1, 2, "Total", negritoDireita);
        for (int h = 0; h < 24; ++h)
            worksheet_write_string(folha, 1, static_cast<lxw_col_t>(3 + h),
                                   u8(relatorios::nomeHora(h)).constData(), negritoDireita);
        lxw_row_t linha = 2;
        for (const relatorios::Dia& d : dias) {
            lxw_datetime quando{d.data.year(), d.data.month(), d.data.day(), 0, 0, 0.0};
            worksheet_write_datetime(folha, linha, 0, &quando, data);
            worksheet_write_string(folha, linha, 1,
                                   u8(relatorios::nomeDiaSemana(d.data.dayOfWeek())).constData(), nullptr);
            worksheet_write_number(folha, linha, 2, static_cast<double>(d.total()), nullptr);
            for (int h = 0; h < 24; ++h)
                worksheet_write_number(folha, linha, static_cast<lxw_col_t>(3 + h),
                                       d.horas[static_cast<size_t>(h)], nullptr);
            ++linha;
        }
        worksheet_set_column(folha, 0, 0, 12, nullptr);
        worksheet_set_column(folha, 1, 1, 14, nullptr);
        worksheet_set_column(folha, 3, 26, 6, nullptr);
        worksheet_freeze_panes(folha, 2, 1);
        // Printed landscape, one page wide, the header on every page.
        worksheet_set_landscape(folha);
        worksheet_fit_to_pages(folha, 1, 0);
        worksheet_repeat_rows(folha, 1, 1);
        return fechar(livro);
    });
}

planilha::Resultado gravarPeriodoCsv(const QString& caminho, const QList<relatorios::Dia>& dias)
{
    const QByteArray bytes = relatorios::csvPeriodo(dias);
    return gravarAtomico(caminho, [&](const QString& temporario) {
        QFile f(temporario);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return f.errorString();
        if (f.write(bytes) != bytes.size() || !f.flush())
            return f.errorString();
        return QString();
    });
}

} // namespace exportacao
