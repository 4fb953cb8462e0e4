// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PictureLoading.h"

#include <QString>
#include <functional>

class QWidget;

// Where the Change... command asks for a picture file; tests answer instead.
class TPictureChooser
{
public:
    virtual ~TPictureChooser() = default;
    // False when the user cancels.
    virtual bool Choose(QWidget *owner, QString &fileName) = 0;
};

class TQtPictureChooser : public TPictureChooser
{
public:
    bool Choose(QWidget *owner, QString &fileName) override;
    // The file types' names, by number.
    std::function<QString(int)> Texts;

private:
    QString m_lastDir;
};
