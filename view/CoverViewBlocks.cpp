// SPDX-License-Identifier: GPL-3.0-or-later
// Text blocks on the view: drawn above pictures and lines, selected, moved
// and sized with the mouse, nudged and removed with keys, edited in place.
#include "CoverView.h"

#include "ReasonTexts.h"
#include "VelmoraError.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace {

// Lengths a gesture leaves are whole tenths of a millimetre.
double Tenths(double mm)
{
    return std::round(mm * 10) / 10;
}

double Clamped(double mm)
{
    return std::clamp(mm, -TTextBlock::MaxReachMm, TTextBlock::MaxReachMm);
}

// The eight handles of a box, clockwise from its top-left corner.
std::array<QPointF, 8> Handles(const QRectF &r)
{
    const QPointF c = r.center();
    return {r.topLeft(),     QPointF(c.x(), r.top()),    r.topRight(),
            QPointF(r.right(), c.y()), r.bottomRight(), QPointF(c.x(), r.bottom()),
            r.bottomLeft(),  QPointF(r.left(), c.y())};
}

} // namespace

QPointF TCoverView::AreaScale(CoverArea area, const TRect &rect) const
{
    const QSizeF mm = FDocument ? FDocument->AreaSizeMm(area) : QSizeF();
    if (!(mm.width() > 0) || !(mm.height() > 0))
        return QPointF();
    return QPointF(rect.Width() / mm.width(), rect.Height() / mm.height());
}

void TCoverView::DrawAreaBlocks(CoverArea area, QImage &canvas, const TRect &rect)
{
    const TTextBlocks &blocks = FDocument->GetBlocks(area);
    const QPointF scale = AreaScale(area, rect);
    if (blocks.empty() || scale.isNull())
        return;
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    DrawTextBlocks(p, blocks, QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()), scale.x(),
                   scale.y());
}

QRectF TCoverView::BlockRect(int32_t area, int index) const
{
    if (!FDocument || area < 1 || area > AreaCount())
        return QRectF();
    const TTextBlocks &blocks = FDocument->GetBlocks(area);
    if (index < 0 || size_t(index) >= blocks.size())
        return QRectF();
    const TRect &r = FAreaRect[area];
    const QPointF s = AreaScale(area, r);
    const TTextBlock &b = blocks[size_t(index)];
    return QRectF(r.Left + b.X * s.x(), r.Top + b.Y * s.y(), b.Width * s.x(), b.Height * s.y());
}

bool TCoverView::BlockAt(TPoint p, int32_t &area, int &index) const
{
    area = AreaAt(p);
    if (area == -1)
        return false;
    // The last block drawn lies on top; a block is seen only within its
    // area.
    for (index = int(FDocument->GetBlocks(area).size()) - 1; index >= 0; --index)
        if (BlockRect(area, index).contains(QPointF(p.X, p.Y)))
            return true;
    return false;
}

const TTextBlock *TCoverView::Block() const
{
    if (!FDocument || FBlockArea == -1)
        return nullptr;
    const TTextBlocks &blocks = FDocument->GetBlocks(FBlockArea);
    return FBlockIndex >= 0 && size_t(FBlockIndex) < blocks.size() ? &blocks[size_t(FBlockIndex)]
                                                                    : nullptr;
}

void TCoverView::SelectBlock(int32_t area, int index)
{
    if (!FDocument || area < 1 || area > AreaCount() || index < 0 ||
        size_t(index) >= FDocument->GetBlocks(area).size()) {
        area = -1;
        index = -1;
    }
    if (area == FBlockArea && index == FBlockIndex)
        return;
    EndBlockEdit();
    FBlockArea = area;
    FBlockIndex = index;
    FBlockDrag = -1;
    if (area != -1)
        SelectArea(area);
    update();
    if (FOnBlockSelection)
        FOnBlockSelection(this);
}

void TCoverView::CheckBlockSelection()
{
    // A step undone under the editor: it would type on from another text.
    if (IsEditingBlock() && (!Block() || Block()->Text != FBlockEditor->toPlainText()))
        FBlockEditor->hide();
    if (FBlockArea != -1 && !Block()) {
        if (FBlockEditor)
            FBlockEditor->hide();
        FBlockArea = -1;
        FBlockIndex = -1;
        FBlockDrag = -1;
        if (FOnBlockSelection)
            FOnBlockSelection(this);
    }
}

void TCoverView::ChangeBlock(const TTextBlock &block)
{
    TTextBlocks blocks = FDocument->GetBlocks(FBlockArea);
    blocks[size_t(FBlockIndex)] = block;
    FDocument->SetBlocks(FBlockArea, blocks);
}

void TCoverView::RemoveBlock()
{
    const int32_t area = FBlockArea;
    const int index = FBlockIndex;
    TTextBlocks blocks = FDocument->GetBlocks(area);
    blocks.erase(blocks.begin() + index);
    SelectBlock(-1, -1);
    FDocument->SetBlocks(area, blocks);
    if (FOnBlockGesture)
        FOnBlockGesture(this, TBlockGesture::Delete, area, index);
}

void TCoverView::BlockGesture(TBlockGesture gesture)
{
    if (FOnBlockGesture)
        FOnBlockGesture(this, gesture, FBlockArea, FBlockIndex);
}

int TCoverView::HandleAt(TPoint p) const
{
    if (!Block())
        return -1;
    const auto handles = Handles(BlockRect(FBlockArea, FBlockIndex));
    for (int i = 0; i < 8; ++i)
        if (std::abs(handles[size_t(i)].x() - p.X) <= HandleReach &&
            std::abs(handles[size_t(i)].y() - p.Y) <= HandleReach)
            return i;
    return -1;
}

bool TCoverView::BlockMouseDown(Qt::MouseButton button, TPoint p)
{
    if (!FDocument)
        return false;
    EndBlockEdit();
    int handle = button == Qt::LeftButton ? HandleAt(p) : -1;
    int32_t area = -1;
    int index = -1;
    if (handle == -1) {
        if (!BlockAt(p, area, index)) {
            SelectBlock(-1, -1);
            return false;
        }
        const int32_t before = FSelectedArea;
        SelectBlock(area, index);
        if (FSelectedArea != before)
            Relayout();
        handle = 8;
    }
    setFocus(Qt::MouseFocusReason);
    if (button == Qt::LeftButton) {
        FBlockDrag = handle;
        FBlockDown = p;
        FBlockBefore = *Block();
    }
    return true;
}

bool TCoverView::BlockDblClick(TPoint p)
{
    int32_t area = -1;
    int index = -1;
    if (!FDocument || !BlockAt(p, area, index))
        return false;
    SelectBlock(area, index);
    EditBlock();
    return true;
}

bool TCoverView::BlockMouseMove(TPoint p)
{
    if (FBlockDrag == -1 || !Block())
        return false;
    const QPointF s = AreaScale(FBlockArea, FAreaRect[FBlockArea]);
    if (s.isNull())
        return true;
    const double dx = (p.X - FBlockDown.X) / s.x();
    const double dy = (p.Y - FBlockDown.Y) / s.y();
    TTextBlock b = FBlockBefore;
    if (FBlockDrag == 8) {
        b.X = Clamped(Tenths(b.X + dx));
        b.Y = Clamped(Tenths(b.Y + dy));
    } else {
        double left = b.X, top = b.Y, right = b.X + b.Width, bottom = b.Y + b.Height;
        const int h = FBlockDrag;
        const double least = TTextBlock::MinSideMm;
        if (h == 0 || h == 6 || h == 7)
            left = std::min(Clamped(Tenths(left + dx)), right - least);
        if (h == 2 || h == 3 || h == 4)
            right = std::max(Clamped(Tenths(right + dx)), left + least);
        if (h == 0 || h == 1 || h == 2)
            top = std::min(Clamped(Tenths(top + dy)), bottom - least);
        if (h == 4 || h == 5 || h == 6)
            bottom = std::max(Clamped(Tenths(bottom + dy)), top + least);
        b.X = left;
        b.Y = top;
        b.Width = Tenths(right - left);
        b.Height = Tenths(bottom - top);
    }
    ChangeBlock(b);
    return true;
}

bool TCoverView::BlockMouseUp()
{
    if (FBlockDrag == -1)
        return false;
    const TBlockGesture gesture = FBlockDrag == 8 ? TBlockGesture::Move : TBlockGesture::Resize;
    FBlockDrag = -1;
    if (const TTextBlock *b = Block(); b && *b != FBlockBefore)
        BlockGesture(gesture);
    return true;
}

bool TCoverView::BlockKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const TTextBlock *now = Block();
    if (!now || IsEditingBlock())
        return false;
    TTextBlock b = *now;
    const double step = modifiers & Qt::ShiftModifier ? 1.0 : 0.1;
    switch (key) {
    case Qt::Key_Left:
        b.X = Clamped(Tenths(b.X - step));
        break;
    case Qt::Key_Right:
        b.X = Clamped(Tenths(b.X + step));
        break;
    case Qt::Key_Up:
        b.Y = Clamped(Tenths(b.Y - step));
        break;
    case Qt::Key_Down:
        b.Y = Clamped(Tenths(b.Y + step));
        break;
    case Qt::Key_Delete:
        RemoveBlock();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        EditBlock();
        return true;
    case Qt::Key_Escape:
        SelectBlock(-1, -1);
        return true;
    default:
        return false;
    }
    if (b != *now) {
        ChangeBlock(b);
        BlockGesture(TBlockGesture::Nudge);
    }
    return true;
}

void TCoverView::EditBlock()
{
    const TTextBlock *b = Block();
    if (!b)
        return;
    if (!FBlockEditor) {
        FBlockEditor = new QPlainTextEdit(this);
        FBlockEditor->setObjectName(QStringLiteral("BlockEditor"));
        FBlockEditor->installEventFilter(this);
        connect(FBlockEditor, &QPlainTextEdit::textChanged, this, [this] {
            const TTextBlock *block = Block();
            if (!block || !FBlockEditor->isVisible())
                return;
            TTextBlock changed = *block;
            changed.Text = FBlockEditor->toPlainText();
            if (changed.Text == block->Text)
                return;
            // More than a block holds is not taken: the editor goes back to
            // what the block holds, and says why.
            if (!changed.IsValid()) {
                {
                    const QSignalBlocker quiet(FBlockEditor);
                    FBlockEditor->setPlainText(block->Text);
                    FBlockEditor->moveCursor(QTextCursor::End);
                }
                if (changed.Text.toUtf8().size() > TTextBlock::MaxTextBytes)
                    Report(EVelmoraError(ReasonText(BlockTextTooLongReason)
                                             .arg(TTextBlock::MaxTextBytes / 1024)));
                return;
            }
            Guarded([&] {
                ChangeBlock(changed);
                BlockGesture(TBlockGesture::Typing);
            });
        });
    }
    const QRect box = BlockRect(FBlockArea, FBlockIndex).toAlignedRect();
    QRect where(box.topLeft(), box.size().expandedTo(QSize(160, 80)));
    where.moveLeft(std::clamp(where.left(), 0, std::max(0, width() - where.width())));
    where.moveTop(std::clamp(where.top(), 0, std::max(0, height() - where.height())));
    // The block's own face, style and alignment, at the size it shows at,
    // though never too small to read while typing.
    QFont font(b->FontName);
    font.setBold(b->Bold);
    font.setItalic(b->Italic);
    const double shownPixels =
        b->FontSize * 25.4 / 72 * AreaScale(FBlockArea, FAreaRect[FBlockArea]).y();
    font.setPixelSize(std::clamp(int(std::lround(shownPixels)), 9, 200));
    FBlockEditor->setFont(font);
    QTextOption option = FBlockEditor->document()->defaultTextOption();
    option.setAlignment(b->HAlign == TBlockAlign::Center ? Qt::AlignHCenter
                        : b->HAlign == TBlockAlign::End  ? Qt::AlignRight
                                                         : Qt::AlignLeft);
    FBlockEditor->document()->setDefaultTextOption(option);
    {
        const QSignalBlocker quiet(FBlockEditor);
        FBlockEditor->setPlainText(b->Text);
    }
    FBlockEditor->moveCursor(QTextCursor::End);
    FBlockEditor->setGeometry(where);
    FBlockEditor->show();
    FBlockEditor->setFocus(Qt::OtherFocusReason);
}

void TCoverView::EndBlockEdit()
{
    if (!IsEditingBlock())
        return;
    const bool focused = FBlockEditor->hasFocus();
    FBlockEditor->hide();
    if (focused)
        setFocus(Qt::OtherFocusReason);
    if (FOnBlockEditEnd)
        FOnBlockEditEnd(this);
}

bool TCoverView::IsEditingBlock() const
{
    return FBlockEditor && FBlockEditor->isVisible();
}

QPlainTextEdit *TCoverView::BlockEditor() const
{
    return IsEditingBlock() ? FBlockEditor : nullptr;
}

bool TCoverView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FBlockEditor && FBlockEditor) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if ((enter && (key->modifiers() & Qt::ControlModifier)) ||
                key->key() == Qt::Key_Escape) {
                EndBlockEdit();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            // A click on a menu or a panel ends the edit as well; a popup
            // of the editor's own (its context menu) does not.
            if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
                EndBlockEdit();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TCoverView::DrawBlockSelection(QImage &canvas)
{
    QPainter p(&canvas);
    for (CoverArea a = 1; a <= AreaCount(); ++a) {
        const TTextBlocks &blocks = FDocument->GetBlocks(a);
        p.setClipRect(QRect(FAreaRect[a].Left, FAreaRect[a].Top, FAreaRect[a].Width(),
                            FAreaRect[a].Height()));
        // An empty block shows where it is, on screen only.
        for (size_t i = 0; i < blocks.size(); ++i)
            if (blocks[i].Text.isEmpty() && !(a == FBlockArea && int(i) == FBlockIndex)) {
                p.setPen(QPen(InactiveFrameColor(), 1, Qt::DotLine));
                p.drawRect(BlockRect(a, int(i)).adjusted(0, 0, -1, -1));
            }
    }
    if (!Block())
        return;
    p.setClipping(false);
    const QRectF r = BlockRect(FBlockArea, FBlockIndex);
    p.setPen(QPen(ActiveFrameColor(), 1, Qt::DashLine));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(ActiveFrameColor());
    p.setBrush(Qt::white);
    for (const QPointF &h : Handles(r))
        p.drawRect(QRectF(h.x() - 3, h.y() - 3, 6, 6));
}
