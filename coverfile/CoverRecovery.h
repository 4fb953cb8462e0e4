// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverDescription.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <memory>

// Recovery copies: while a cover has unsaved changes, a copy of it is kept in
// a folder of this running program's own under root, so that a crash or a
// power cut loses little. The copy is written on a thread of its own; each
// picture is written once, the description at every write. Programs running
// at the same time each keep their own folder, held by a lock file, so that
// a folder whose lock no running program holds is a copy left behind.
class TCoverRecovery
{
public:
    explicit TCoverRecovery(const QString &root);
    // Waits for a write under way; the copy stays, as it would in a crash.
    ~TCoverRecovery();
    TCoverRecovery(const TCoverRecovery &) = delete;
    TCoverRecovery &operator=(const TCoverRecovery &) = delete;

    // Replaces the copy with this content in the background; a write not yet
    // begun gives way to a newer one. coverFile is the cover's own file, if
    // it has one.
    void Write(const TCoverFileContent &content, const QString &coverFile);
    // Removes this program's copy, once any write under way is through.
    void Discard();
    // Until every write asked for is through (tests, and before taking over).
    void Wait();
    // The folder of this program's copy; empty until the first write.
    QString Folder() const;

    struct TLeftCopy
    {
        QString Folder;
        QString CoverFile; // the cover's own file; empty when it had none
        QDateTime Written;
    };
    // Copies left by programs that ended without removing theirs, newest
    // first.
    QList<TLeftCopy> LeftCopies() const;
    // Reads a left copy. On success this program takes it over as its own
    // copy (its pictures are not written again); false, with why, when it
    // does not read, and it is then left where it is.
    bool Restore(const TLeftCopy &copy, TCoverFileContent &content, QString &why);
    // Removes a left copy that the user does not want.
    void Remove(const TLeftCopy &copy);

private:
    struct TWriter;
    std::unique_ptr<TWriter> m_writer;
};
