// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QPainter>
#include <QWidget>
#include <functional>

// A plain area whose painting is done by its owner.
class TPaintBox : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    std::function<void(QPainter &)> OnPaint;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        if (OnPaint)
            OnPaint(p);
    }
};

// A panel with a raised bevel that tells its owner when its size changes.
// Its children are placed from its outer corner, the bevel drawn over its
// edge, as the layouts were designed.
class TPanel : public QFrame
{
    Q_OBJECT
public:
    explicit TPanel(QWidget *parent = nullptr) : QFrame(parent)
    {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setLineWidth(1);
    }
    std::function<void()> OnResize;

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QFrame::resizeEvent(event);
        if (OnResize)
            OnResize();
    }
};
