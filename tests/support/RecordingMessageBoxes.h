// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MessageBoxes.h"

#include <QStringList>
#include <functional>

// Records the boxes that would have been shown, so no test blocks on one.
class TRecordingMessageBoxes : public TMessageBoxes
{
public:
    struct Box
    {
        QString caption;
        QString text;
    };
    void ShowError(QWidget *, const QString &caption, const QString &text) override
    {
        Boxes.push_back({caption, text});
    }
    // Questions are recorded like the other boxes and answered with Answer.
    bool AskWarning(QWidget *, const QString &caption, const QString &text) override
    {
        Boxes.push_back({caption, text});
        return Answer;
    }
    bool AskQuestion(QWidget *, const QString &caption, const QString &text) override
    {
        Boxes.push_back({caption, text});
        return OnQuestion ? OnQuestion(text) : Answer;
    }
    // Where set, answers the questions instead of Answer.
    std::function<bool(const QString &)> OnQuestion;
    // Kept apart from the other boxes: closing a changed cover asks, and
    // most tests do not care.
    TSaveAnswer AskSaveChanges(QWidget *, const QString &, const QString &text) override
    {
        SaveQuestions << text;
        return SaveAnswer;
    }
    QStringList SaveQuestions;
    TSaveAnswer SaveAnswer = TSaveAnswer::Discard;
    QStringList Texts() const
    {
        QStringList t;
        for (const Box &b : Boxes)
            t << b.text;
        return t;
    }
    QList<Box> Boxes;
    bool Answer = true;
};
