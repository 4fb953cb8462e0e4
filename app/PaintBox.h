// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// A plain container that tells its owner when its size changes.
class TPanel : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    std::function<void()> OnResize;

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        if (OnResize)
            OnResize();
    }
};
