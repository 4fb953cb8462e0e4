// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

enum class TSaveAnswer
{
    Save,
    Discard,
    Cancel
};

// The program's message boxes, behind an interface so that tests can record
// them instead of blocking on a modal window.
class TMessageBoxes
{
public:
    virtual ~TMessageBoxes() = default;
    // A box with the error icon and an OK button.
    virtual void ShowError(QWidget *owner, const QString &caption, const QString &text) = 0;
    // A box with the warning icon and Yes and No buttons; true for Yes.
    virtual bool AskWarning(QWidget *owner, const QString &caption, const QString &text) = 0;
    // A box with the question icon and Yes and No buttons; true for Yes.
    virtual bool AskQuestion(QWidget *owner, const QString &caption, const QString &text) = 0;
    // Whether to save changes first: Save, Discard and Cancel buttons.
    virtual TSaveAnswer AskSaveChanges(QWidget *owner, const QString &caption,
                                       const QString &text) = 0;
};

class TQtMessageBoxes : public TMessageBoxes
{
public:
    void ShowError(QWidget *owner, const QString &caption, const QString &text) override;
    bool AskWarning(QWidget *owner, const QString &caption, const QString &text) override;
    bool AskQuestion(QWidget *owner, const QString &caption, const QString &text) override;
    TSaveAnswer AskSaveChanges(QWidget *owner, const QString &caption,
                               const QString &text) override;
};
