// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverSteps.h"

TCoverStep::TCoverStep(int nameText, const QString &name, int mergeKey,
                       TCoverFileContent before, TCoverFileContent after, TApply apply)
    : QUndoCommand(name), m_nameText(nameText), m_mergeKey(mergeKey), m_before(std::move(before)),
      m_after(std::move(after)), m_apply(std::move(apply))
{
}

void TCoverStep::undo()
{
    m_apply(m_before);
}

void TCoverStep::redo()
{
    if (!m_pushed) {
        m_pushed = true;
        return;
    }
    m_apply(m_after);
}

bool TCoverStep::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const TCoverStep *>(other);
    if (next->m_mergeKey != m_mergeKey || m_mergeKey < 0)
        return false;
    m_after = next->m_after;
    return true;
}
