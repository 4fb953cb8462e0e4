// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogSupport.h"

#include <QDialog>
#include <QList>
#include <functional>

// Shows each dialog without a modal loop and lets the next script work its
// real controls; the dialog's result is whatever its buttons made it. A
// dialog shown with no script left is cancelled.
class TScriptedRunner : public TModalRunner
{
public:
    using TScript = std::function<void(QDialog &)>;

    int ShowModal(QDialog &dialog) override
    {
        ++Shown;
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        if (!Scripts.isEmpty())
            Scripts.takeFirst()(dialog);
        dialog.hide();
        return dialog.result();
    }

    QList<TScript> Scripts;
    int Shown = 0;
};
