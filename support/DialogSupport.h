// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;
class QWidget;

// Places a dialog in the middle of its screen: left = screen width div 2 -
// dialog width div 2, top likewise.
void CenterOnScreen(QWidget *dialog);

// Shows a dialog modally and returns its result (QDialog::Accepted or
// Rejected). Tests put a runner in its place that works the dialog's real
// controls and closes it, so that nothing blocks.
class TModalRunner
{
public:
    virtual ~TModalRunner() = default;
    virtual int ShowModal(QDialog &dialog) = 0;
};

class TExecRunner : public TModalRunner
{
public:
    int ShowModal(QDialog &dialog) override;
};
