// SPDX-License-Identifier: GPL-3.0-or-later
#include "MetafileGraphic.h"

#include "ReasonTexts.h"
#include "VelmoraError.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QEventLoop>
#include <QIODevice>
#include <QKeyEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QProcess>
#include <QScreen>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "LargeBitmap.h"

namespace {

double g_screenDpi = 0;
QString g_helperDir;
// Per thread: a preview may draw on its own thread while a picture is placed.
thread_local QByteArray g_diagnostics;
// The helper limits its own time to 2 s of processor, which does not bound
// its wall time on a busy machine, nor a helper that hangs without using any:
// 2 s of work is the promise, and a little more for starting.
const int HelperWallMs = 2500;
const qsizetype MaxDiagnostics = 64 * 1024;

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

// While the helper draws, the program's windows go on painting; the user's
// input waits, except Escape, which gives the picture up.
class TWaitForHelper : public QObject
{
public:
    QEventLoop Loop;
    bool Cancelled = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
                Cancelled = true;
                Loop.quit();
            }
            return true;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Close:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
        }
    }
};

enum class THelperEnd
{
    Finished,
    TooLong,
    Cancelled
};

THelperEnd WaitForHelper(QProcess &helper)
{
    QCoreApplication *app = QCoreApplication::instance();
    // Off the user-interface thread (a preview) there is no window to keep
    // painting, and the application's events are not this thread's to filter.
    if (!app || QThread::currentThread() != app->thread()) {
        if (helper.waitForFinished(HelperWallMs))
            return THelperEnd::Finished;
        helper.kill();
        helper.waitForFinished();
        return THelperEnd::TooLong;
    }
    TWaitForHelper wait;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &wait.Loop, &QEventLoop::quit);
    QObject::connect(&helper, &QProcess::finished, &wait.Loop, &QEventLoop::quit);
    limit.start(HelperWallMs);
    app->installEventFilter(&wait);
    if (helper.state() != QProcess::NotRunning)
        wait.Loop.exec();
    app->removeEventFilter(&wait);
    if (helper.state() == QProcess::NotRunning)
        return THelperEnd::Finished;
    helper.kill();
    helper.waitForFinished();
    return wait.Cancelled ? THelperEnd::Cancelled : THelperEnd::TooLong;
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

QByteArray TMetafileGraphic::LastHelperDiagnostics()
{
    return g_diagnostics;
}

namespace {

// The metafile drawn by the helper at dpi: its frame's size at that
// resolution. Raises "Metafile is not valid" for anything the helper
// refuses or does not finish.
// Runs the helper over the metafile with these arguments after the output
// file's name; raises what went wrong.
void RunHelper(const QByteArray &data, double dpi, const QString &output,
               const QStringList &more = {})
{
    g_diagnostics.clear();
    if (data.isEmpty())
        Invalid();
    QProcess helper;
    helper.setProcessChannelMode(QProcess::SeparateChannels);
    helper.setStandardOutputFile(QProcess::nullDevice());
    helper.start(HelperPath(), QStringList{QString::number(dpi, 'f', 3), output} + more);
    if (!helper.waitForStarted())
        throw EVelmoraError(QStringLiteral("The metafile helper %1 cannot be started: %2")
                                .arg(QDir::toNativeSeparators(HelperPath()), helper.errorString()));
    helper.write(data);
    helper.closeWriteChannel();
    const THelperEnd end = WaitForHelper(helper);
    g_diagnostics = helper.readAllStandardError().left(MaxDiagnostics);
    if (end == THelperEnd::TooLong)
        throw EVelmoraError(ReasonText(MetafileTooSlowReason));
    if (end == THelperEnd::Cancelled)
        throw EVelmoraError(QStringLiteral("Loading the metafile was cancelled."));
    if (helper.exitStatus() != QProcess::NormalExit || helper.exitCode() != 0)
        Invalid();
}

QImage DrawInHelper(const QByteArray &data, double dpi, bool &enhanced)
{
    QTemporaryFile bitmapFile;
    if (!bitmapFile.open())
        throw EVelmoraError(ReasonText(NoTemporaryFileReason));
    RunHelper(data, dpi, bitmapFile.fileName());

    // "VMBMP <width> <height> <W|E>\n" and exactly the pixels it announces,
    // read straight into the picture's own memory.
    const QByteArray head = bitmapFile.readLine(64);
    const QList<QByteArray> fields = head.trimmed().split(' ');
    if (!head.endsWith('\n') || fields.size() != 4 || fields[0] != "VMBMP")
        Invalid();
    bool okW = false;
    bool okH = false;
    const int w = fields[1].toInt(&okW);
    const int h = fields[2].toInt(&okH);
    if (!okW || !okH || w < 1 || h < 1 || !PictureSizeAllowed(w, h))
        Invalid();
    const qint64 rowBytes = qint64(w) * 4;
    if (bitmapFile.size() != head.size() + rowBytes * h)
        Invalid();
    QImage image = AllocateBitmap(w, h, QImage::Format_RGB32);
    if (image.isNull())
        throw EVelmoraError(QStringLiteral("Out of memory"));
    for (int y = 0; y < h; ++y)
        if (bitmapFile.read(reinterpret_cast<char *>(image.scanLine(y)), rowBytes) != rowBytes)
            Invalid();
    enhanced = fields[3] == "E";
    return image;
}

// As the helper bounds it.
constexpr qint64 MaxSvgBytes = 32 * 1024 * 1024;

// A loaded metafile's bytes, drawn again at a larger size for print.
class TMetafileSource : public TPictureSource
{
public:
    TMetafileSource(QByteArray data, double dpi, QSize size)
        : m_data(std::move(data)), m_dpi(dpi), m_size(size)
    {
    }

    bool DrawVectors(QPainter &painter, const QRectF &target) const override
    {
        // The helper hands over the SVG it made and has just drawn within
        // its limits; drawn here it stays lines and text on a PDF page.
        try {
            QTemporaryFile file;
            if (!file.open())
                return false;
            RunHelper(m_data, m_dpi, file.fileName(), {QStringLiteral("svg")});
            if (file.size() > MaxSvgBytes)
                return false;
            QSvgRenderer svg(file.readAll());
            if (!svg.isValid())
                return false;
            painter.save();
            painter.setClipRect(target, Qt::IntersectClip);
            painter.fillRect(target, Qt::white); // as the bitmap has it
            svg.render(&painter, target);
            painter.restore();
            return true;
        } catch (const EVelmoraError &) {
            return false;
        }
    }

    QImage Render(QSize size) const override
    {
        const double factor = std::max(double(size.width()) / m_size.width(),
                                       double(size.height()) / m_size.height());
        if (!(factor > 1.0))
            return QImage();
        try {
            bool enhanced = false;
            return DrawInHelper(m_data, m_dpi * factor, enhanced);
        } catch (const EVelmoraError &) {
            return QImage(); // the bitmap serves, as it did on screen
        }
    }

private:
    QByteArray m_data;
    double m_dpi;
    QSize m_size;
};

} // namespace

void TMetafileGraphic::LoadFromStream(QIODevice &stream)
{
    const QByteArray data = stream.readAll();
    const double dpi = ScreenDpi();
    bool enhanced = false;
    const QImage image = DrawInHelper(data, dpi, enhanced);
    m_width = image.width();
    m_height = image.height();
    m_enhanced = enhanced;
    m_image = image;
    m_source = std::make_shared<TMetafileSource>(data, dpi, image.size());
    Changed();
}

void TMetafileGraphic::Draw(QPainter &canvas, const QRect &rect) const
{
    canvas.drawImage(rect, m_image);
}
