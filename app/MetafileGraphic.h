// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Graphic.h"

#include <QByteArray>
#include <memory>

class QSvgRenderer;

// Windows metafiles and enhanced metafiles, told apart by their contents.
// The helper program velmora-metafile beside Velmora converts each to SVG
// (libwmf, libemf2svg, which do not survive hostile files: in a process of
// their own their failure is only a failed load); Qt SVG draws it. Its size
// is its frame at the screen's resolution.
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
    const QByteArray &Svg() const { return m_svg; }

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
    QByteArray m_svg;
    std::unique_ptr<QSvgRenderer> m_renderer;
};
