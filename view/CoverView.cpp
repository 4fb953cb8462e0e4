// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverView.h"

#include "Rounding.h"
#include "VelmoraError.h"

#include <QTimer>
#include <cmath>

TRect &TAreaRects::operator[](CoverArea area)
{
    if (area < 1 || area > 3)
        throw EVelmoraError::RangeCheck();
    return m_rects[size_t(area - 1)];
}

const TRect &TAreaRects::operator[](CoverArea area) const
{
    return const_cast<TAreaRects &>(*this)[area];
}

TCoverView::TCoverView(QWidget *owner, TDeviceMetrics &metrics) : QWidget(owner), Metrics(metrics)
{
    SelectArea(-1);
    setFocusPolicy(Qt::StrongFocus);
    // Every paint covers the whole control from our own frame buffer.
    setAttribute(Qt::WA_OpaquePaintEvent);
    FDragArea = -1;
}

TCoverView::~TCoverView()
{
    if (FDocument)
        FDocument->View = nullptr;
}

void TCoverView::SetDocument(TCoverDocument *document)
{
    FDocument = document;
    if (FDocument)
        FDocument->View = this;
    m_renderer = FDocument ? std::make_unique<TCoverRenderer>(*FDocument, 0) : nullptr;
    m_layoutKey.reset();
    FPrinterPixelsPerCm = 0; // the document's offsets are taken as they are
    Relayout();
}

int32_t TCoverView::AreaCount() const
{
    return FDocument && FDocument->Mode() == CoverMode::Multiple ? 3 : 1;
}

void TCoverView::Relayout()
{
    if (FOnChange)
        FOnChange(this);
    FScreenPixelsPerCm = Metrics.ScreenPixelsPerCm(*this);
    const int32_t before = FPrinterPixelsPerCm;
    FPrinterPixelsPerCm = PrinterPixelsPerCmOrNone(Metrics);
    // Offsets are held in the printer's pixels: another printer (or
    // resolution) must not move a placed picture on paper.
    if (FDocument && before > 0 && FPrinterPixelsPerCm != before) {
        for (CoverArea a = 1; a <= 3; ++a)
            FDocument->SetOffsetQuietly(
                a, RescaledOffset(FDocument->GetOffset(a), before, FPrinterPixelsPerCm));
    }

    if (FDocument) {
        const CoverSize &s = FDocument->Size();
        const int32_t W = width();
        const int32_t H = height();
        if (FDocument->Mode() == CoverMode::Single) {
            if (s.SingleWidth == 0 || s.SingleHeight == 0)
                FScale = 1.0;
            else
                FScale =
                    std::min(CheckedSub(W, 20) / s.SingleWidth, CheckedSub(H, 20) / s.SingleHeight);
            const int32_t w = Round(s.SingleWidth * FScale);
            const int32_t h = Round(s.SingleHeight * FScale);
            FAreaRect[1] = TRect{Div(CheckedSub(W, w), 2), Div(CheckedSub(H, h), 2),
                                Div(CheckedAdd(W, w), 2), Div(CheckedAdd(H, h), 2)};
        } else {
            const double total = s.CenterWidth + s.LeftWidth + s.RightWidth;
            if (total == 0 || s.MultipleHeight == 0)
                FScale = 1.0;
            else
                FScale = std::min(CheckedSub(W, 40) / total, CheckedSub(H, 20) / s.MultipleHeight);
            const double inches[3] = {s.LeftWidth, s.CenterWidth, s.RightWidth};
            int32_t pixels[3];
            int32_t sum = 0;
            int32_t n = 0;
            for (int i = 0; i < 3; ++i) {
                pixels[i] = Round(inches[i] * FScale);
                sum = CheckedAdd(sum, pixels[i]);
                if (inches[i] > 0)
                    ++n;
            }
            const int32_t h = Round(s.MultipleHeight * FScale);
            const int32_t gap = Div(CheckedSub(W, sum), n + 1);
            const int32_t top = Div(CheckedSub(H, h), 2);
            const int32_t bottom = Div(CheckedAdd(H, h), 2);
            int32_t x = 0;
            for (int i = 0; i < 3; ++i) {
                if (inches[i] > 0) {
                    x = CheckedAdd(x, gap);
                    FAreaRect[i + 1] = TRect{x, top, CheckedAdd(x, pixels[i]), bottom};
                    x = FAreaRect[i + 1].Right;
                } else {
                    FAreaRect[i + 1] = TRect{-5, -5, -5, -5};
                }
            }
        }
        if (FDocument->Mode() == CoverMode::Single && FSelectedArea >= 2)
            SelectArea(-1);
    }
    // Painting recomputes it as well; doing it here keeps the picture
    // commands right between a layout and the paint that follows it.
    UpdateDisplayRatio();
    update();
}

void TCoverView::UpdateDisplayRatio()
{
    if (!FDocument) {
        FDisplayRatio = NoDisplayHeightRatio;
        return;
    }
    const CoverSize &s = FDocument->Size();
    double coverHeight = s.SingleHeight;
    CoverArea shown = 1;
    if (FDocument->Mode() == CoverMode::Multiple) {
        coverHeight = s.MultipleHeight;
        // An area of width 0 lies off the control; the height is read from
        // the first area that is laid out.
        const double widths[3] = {s.LeftWidth, s.CenterWidth, s.RightWidth};
        for (int i = 2; i >= 0; --i)
            if (widths[i] > 0)
                shown = i + 1;
    }
    const int64_t hd = int64_t(FAreaRect[shown].Bottom) - FAreaRect[shown].Top;
    if (hd < 1)
        FDisplayRatio = NoDisplayHeightRatio;
    else
        FDisplayRatio = (InchToCm(coverHeight) * FScreenPixelsPerCm) / double(hd);
}

QString TCoverView::ScaleCaption() const
{
    return QString::number(Round(1.0 / FDisplayRatio * 100.0)) + QLatin1Char('%');
}

TPoint TCoverView::ScreenToPrinter(TPoint p) const
{
    return TPoint{Div(CheckedMul(p.X, FPrinterPixelsPerCm), FScreenPixelsPerCm),
                  Div(CheckedMul(p.Y, FPrinterPixelsPerCm), FScreenPixelsPerCm)};
}

TPoint TCoverView::PrinterToScreen(TPoint p) const
{
    return TPoint{Div(CheckedMul(p.X, FScreenPixelsPerCm), FPrinterPixelsPerCm),
                  Div(CheckedMul(p.Y, FScreenPixelsPerCm), FPrinterPixelsPerCm)};
}

void TCoverView::SetShowScale(bool flag)
{
    FShowScale = flag;
    update();
}

void TCoverView::DocumentRepaint()
{
    CheckBlockSelection();
    update();
}

void TCoverView::DocumentRelayout()
{
    CheckBlockSelection();
    Relayout();
}

void TCoverView::DocumentDetached()
{
    FDocument = nullptr;
    m_renderer.reset();
    m_layoutKey.reset();
    m_pictureCache.Clear();
}

void TCoverView::Report(const EVelmoraError &error)
{
    if (FOnError)
        FOnError(error);
}

void TCoverView::Guarded(const std::function<void()> &work)
{
    try {
        work();
    } catch (const EVelmoraError &e) {
        Report(e);
    } catch (const std::bad_alloc &) {
        Report(EVelmoraError(QStringLiteral("Out of memory")));
    } catch (const std::exception &e) {
        Report(EVelmoraError(QString::fromLocal8Bit(e.what())));
    }
}

void TCoverView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_liveResize = m_lastResize.isValid() && m_lastResize.elapsed() < LiveResizeMs;
    m_lastResize.restart();
    if (m_liveResize) {
        if (!m_settleTimer) {
            m_settleTimer = new QTimer(this);
            m_settleTimer->setSingleShot(true);
            m_settleTimer->setInterval(LiveResizeMs);
            connect(m_settleTimer, &QTimer::timeout, this, [this] {
                m_liveResize = false;
                update();
            });
        }
        m_settleTimer->start();
    }
    // The editor lies over the block where it was.
    EndBlockEdit();
    Guarded([this] { Relayout(); });
}
