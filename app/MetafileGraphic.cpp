// SPDX-License-Identifier: GPL-3.0-or-later
#include "MetafileGraphic.h"

#include "VelmoraError.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QIODevice>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QSvgRenderer>

namespace {

double g_screenDpi = 0;
QString g_helperDir;
// The helper limits its own time to 10 s of processor; this also covers a
// helper that hangs without using any.
const int HelperTimeoutMs = 20000;

[[noreturn]] void Invalid()
{
    throw EVelmoraError(QStringLiteral("Metafile is not valid"));
}

QString HelperPath()
{
    QString name = QStringLiteral("velmora-metafile");
#ifdef Q_OS_WIN
    name += QStringLiteral(".exe");
#endif
    return QDir(TMetafileGraphic::HelperDir()).filePath(name);
}

} // namespace

TMetafileGraphic::TMetafileGraphic() = default;
TMetafileGraphic::~TMetafileGraphic() = default;

double TMetafileGraphic::ScreenDpi()
{
    if (g_screenDpi > 0)
        return g_screenDpi;
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

void TMetafileGraphic::SetScreenDpi(double dpi)
{
    g_screenDpi = dpi;
}

QString TMetafileGraphic::HelperDir()
{
    return g_helperDir.isEmpty() ? QCoreApplication::applicationDirPath() : g_helperDir;
}

void TMetafileGraphic::SetHelperDir(const QString &dir)
{
    g_helperDir = dir;
}

void TMetafileGraphic::LoadFromStream(QIODevice &stream)
{
    const QByteArray data = stream.readAll();
    if (data.isEmpty())
        Invalid();
    QProcess helper;
    helper.setProcessChannelMode(QProcess::SeparateChannels);
    helper.setStandardErrorFile(QProcess::nullDevice());
    helper.start(HelperPath(), {QString::number(ScreenDpi(), 'f', 3)});
    if (!helper.waitForStarted())
        Invalid();
    helper.write(data);
    helper.closeWriteChannel();
    if (!helper.waitForFinished(HelperTimeoutMs)) {
        helper.kill();
        helper.waitForFinished();
        Invalid();
    }
    if (helper.exitStatus() != QProcess::NormalExit || helper.exitCode() != 0)
        Invalid();
    const QByteArray out = helper.readAllStandardOutput();
    const qsizetype eol = out.indexOf('\n');
    const QList<QByteArray> head = out.left(eol).split(' ');
    if (eol < 0 || head.size() != 4 || head[0] != "VMSVG")
        Invalid();
    bool okW = false;
    bool okH = false;
    const int w = head[1].toInt(&okW);
    const int h = head[2].toInt(&okH);
    if (!okW || !okH || w < 1 || h < 1 || !PictureSizeAllowed(w, h))
        Invalid();
    QByteArray svg = out.mid(eol + 1);
    auto renderer = std::make_unique<QSvgRenderer>(svg);
    if (!renderer->isValid())
        Invalid();
    m_width = w;
    m_height = h;
    m_enhanced = head[3] == "E";
    m_svg = svg;
    m_renderer = std::move(renderer);
    Changed();
}

void TMetafileGraphic::Draw(QPainter &canvas, const QRect &rect) const
{
    if (m_renderer)
        m_renderer->render(&canvas, QRectF(rect));
}
