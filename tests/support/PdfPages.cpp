// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfPages.h"

#include "SampleFiles.h"
#include "TestFiles.h"

#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

void SetUpPdfPrinter(QPrinter &printer, const QString &path, int dpi, const QSizeF &pageInches,
                     double marginInches)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(dpi);
    printer.setPageSize(QPageSize(pageInches, QPageSize::Inch));
    printer.setPageMargins(QMarginsF(marginInches, marginInches, marginInches, marginInches),
                           QPageLayout::Inch);
}

QImage RenderPdf(const QString &path, int dpi, const QRect &crop)
{
    QTemporaryDir dir;
    QStringList args{QStringLiteral("-r"),  QString::number(dpi), QStringLiteral("-singlefile"),
                     QStringLiteral("-aa"), QStringLiteral("no"), QStringLiteral("-aaVector"),
                     QStringLiteral("no")};
    if (!crop.isNull())
        args << QStringLiteral("-x") << QString::number(crop.x()) << QStringLiteral("-y")
             << QString::number(crop.y()) << QStringLiteral("-W") << QString::number(crop.width())
             << QStringLiteral("-H") << QString::number(crop.height());
    const QString prefix = dir.filePath(QStringLiteral("page"));
    args << path << prefix;
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QImage();
    return QImage(prefix + QStringLiteral(".ppm")).convertToFormat(QImage::Format_RGB32);
}

namespace {

TSpan Span(int count, const std::function<QRgb(int)> &at, const QColor &c, int tolerance)
{
    TSpan s;
    for (int i = 0; i < count; ++i)
        if (Near(at(i), c, tolerance)) {
            s.First = s.First < 0 ? i : s.First;
            s.Last = i;
        }
    return s;
}

} // namespace

TSpan RowSpan(const QImage &image, int y, const QColor &c, int tolerance)
{
    return Span(
        image.width(), [&](int x) { return image.pixel(x, y); }, c, tolerance);
}

TSpan ColumnSpan(const QImage &image, int x, const QColor &c, int tolerance)
{
    return Span(
        image.height(), [&](int y) { return image.pixel(x, y); }, c, tolerance);
}

QRect InkBox(const QImage &image, int threshold)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) < threshold && qGreen(p) < threshold && qBlue(p) < threshold)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

QString Run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::pair<int, QString> RunVelmora(const QStringList &arguments, const QString &config)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    p.setProcessEnvironment(env);
    p.start(ProgramBinDir() + QStringLiteral("/velmora"), arguments);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError())};
}

QSizeF PageSize(const QString &pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression("Page size: +([0-9.]+) x ([0-9.]+) pts").match(Run("pdfinfo", {pdf}));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

