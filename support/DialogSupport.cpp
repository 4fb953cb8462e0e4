// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogSupport.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

void CenterOnScreen(QWidget *dialog)
{
    const QScreen *screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    const QSize s = screen->size();
    dialog->move(s.width() / 2 - dialog->width() / 2, s.height() / 2 - dialog->height() / 2);
}

int TExecRunner::ShowModal(QDialog &dialog)
{
    return dialog.exec();
}
