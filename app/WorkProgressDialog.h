// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;
class TCoverController;

// A progress dialog over one long command of the cover (opening, exporting,
// printing): it appears only once the work has taken long enough to be
// noticed, keeps the window painted meanwhile, and its Cancel stops the
// work, which then leaves nothing written and nothing changed.
class TWorkProgressDialog
{
public:
    TWorkProgressDialog(QWidget *owner, TCoverController &cover, const QString &label,
                        const QString &cancel);
    ~TWorkProgressDialog();
    TWorkProgressDialog(const TWorkProgressDialog &) = delete;
    TWorkProgressDialog &operator=(const TWorkProgressDialog &) = delete;

    // How long the work runs before the dialog shows.
    static constexpr int ShowAfterMs = 500;

private:
    // Waits (a little, never for input) until the dialog just shown is on
    // the screen and painted: the next step of the work may be long, and a
    // window that appears unpainted shows as a black box until it is over.
    void PaintNow();

    TCoverController &m_cover;
    QPointer<QProgressDialog> m_dialog;
    bool m_painted = false;
};
