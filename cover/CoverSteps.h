// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverDescription.h"

#include <QUndoCommand>
#include <functional>

// One step of the cover's history: the whole cover before and after it.
// Covers share their pictures, so a step costs its settings and texts, never
// a picture.
class TCoverStep : public QUndoCommand
{
public:
    using TApply = std::function<void(const TCoverFileContent &)>;
    // Steps of the same merge key that follow each other become one (typing
    // in one area); -1 merges with nothing.
    // nameText is the name's text number, so that the name can follow the
    // language.
    TCoverStep(int nameText, const QString &name, int mergeKey, TCoverFileContent before,
               TCoverFileContent after, TApply apply);

    void undo() override;
    // Pushed once the change is made: the first redo has nothing to do.
    void redo() override;
    int id() const override { return m_mergeKey; }
    bool mergeWith(const QUndoCommand *other) override;

    const TCoverFileContent &Before() const { return m_before; }
    const TCoverFileContent &After() const { return m_after; }
    int NameText() const { return m_nameText; }

private:
    int m_nameText;
    int m_mergeKey;
    TCoverFileContent m_before;
    TCoverFileContent m_after;
    TApply m_apply;
    bool m_pushed = false;
};
