// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

#include <QByteArray>
#include <QImage>

// Windows metafiles and enhanced metafiles, told apart by their contents.
// The helper program velmora-metafile beside Velmora converts each to SVG
// (libwmf, libemf2svg, which do not survive hostile files) and draws it into
// a bitmap, all under its own limits of time and memory: there, a hostile
// file is only a failed load. The picture's size is its frame at the
// screen's resolution.
class TMetafileGraphic : public TGraphic
{
public:
    TMetafileGraphic();
    ~TMetafileGraphic() override;

    QString KindName() const override { return QStringLiteral("TMetafile"); }
    void LoadFromStream(QIODevice &stream) override;
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void Draw(QPainter &canvas, const QRect &rect) const override;

    bool Enhanced() const { return m_enhanced; }
    QImage ToBitmap() const override { return m_image; }
    // The file's own bytes, drawn again by the helper at a larger size.
    std::shared_ptr<const TPictureSource> Source() const override { return m_source; }
    // What the helper wrote on its error output at the last load (its
    // sanitizer reports, in that build).
    static QByteArray LastHelperDiagnostics();

    // Pixels per inch that sizes are taken at; the screen's by default.
    static double ScreenDpi();
    static void SetScreenDpi(double dpi);
    // Where velmora-metafile is: the executable's folder by default.
    static QString HelperDir();
    static void SetHelperDir(const QString &dir);

private:
    int m_width = 0;
    int m_height = 0;
    bool m_enhanced = false;
    QImage m_image;
    std::shared_ptr<const TPictureSource> m_source;
};
