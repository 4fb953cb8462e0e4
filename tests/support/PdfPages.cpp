// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfPages.h"

#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

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

bool Matches(QRgb p, const QColor &c, int tolerance)
{
    return qAbs(qRed(p) - c.red()) <= tolerance && qAbs(qGreen(p) - c.green()) <= tolerance &&
           qAbs(qBlue(p) - c.blue()) <= tolerance;
}

} // namespace

TSpan RowSpan(const QImage &image, int y, const QColor &c, int tolerance)
{
    TSpan s;
    for (int x = 0; x < image.width(); ++x)
        if (Matches(image.pixel(x, y), c, tolerance)) {
            if (s.First < 0)
                s.First = x;
            s.Last = x;
        }
    return s;
}

TSpan ColumnSpan(const QImage &image, int x, const QColor &c, int tolerance)
{
    TSpan s;
    for (int y = 0; y < image.height(); ++y)
        if (Matches(image.pixel(x, y), c, tolerance)) {
            if (s.First < 0)
                s.First = y;
            s.Last = y;
        }
    return s;
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
