// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <utility>

class QPrinter;

// A PDF printer at dpi on a page of pageInches (before the landscape turn)
// with margins all round, writing to path.
void SetUpPdfPrinter(QPrinter &printer, const QString &path, int dpi, const QSizeF &pageInches,
                     double marginInches);

// The page rendered by pdftoppm at dpi, or only the crop (in pixels at dpi)
// when one is given. Null when the file does not render.
QImage RenderPdf(const QString &path, int dpi, const QRect &crop = QRect());

// The first and last pixel of one row (or column) within tolerance of c;
// -1, -1 when there is none.
struct TSpan
{
    int First = -1, Last = -1;
    int Length() const { return First < 0 ? 0 : Last - First + 1; }
};
TSpan RowSpan(const QImage &image, int y, const QColor &c, int tolerance = 40);
TSpan ColumnSpan(const QImage &image, int x, const QColor &c, int tolerance = 40);
// The bounding box of every pixel darker than threshold (all channels).
QRect InkBox(const QImage &image, int threshold = 128);

inline double PixelsToMm(double pixels, int dpi)
{
    return pixels / dpi * 25.4;
}

// What a program (pdfinfo, pdftotext, pdfimages) writes on its standard
// output, waited for.
QString Run(const QString &program, const QStringList &arguments);

// The program itself, run on a machine with no display and the options in
// config; its exit status and standard error.
std::pair<int, QString> RunVelmora(const QStringList &arguments, const QString &config);

// The first page's size in points, as pdfinfo reads it.
QSizeF PageSize(const QString &pdf);
