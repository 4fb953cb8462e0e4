// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverDescription.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
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
    // Told after every write, on the writer's thread: empty when the copy
    // was written, else why it could not be (the next write tries again).
    void SetOnWritten(std::function<void(const QString &why)> handler);
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
    // first. A left folder with no description that reads is no copy: it
    // is moved under DamagedFolder() rather than lost.
    QList<TLeftCopy> LeftCopies() const;
    // Where folders that hold nothing to offer are kept; the folders moved
    // there by the last LeftCopies.
    QString DamagedFolder() const;
    QStringList MovedToDamaged() const;
    // Reads a left copy. On success this program takes it over as its own
    // copy (its pictures are not written again); a picture that does not
    // read leaves its area empty and is named in lost. False, with why,
    // when the description does not read, and it is then left where it is.
    bool Restore(const TLeftCopy &copy, TCoverFileContent &content, QString &why,
                 QStringList *lost = nullptr);
    // Removes a left copy that the user does not want.
    void Remove(const TLeftCopy &copy);

private:
    struct TWriter;
    std::unique_ptr<TWriter> m_writer;
};
