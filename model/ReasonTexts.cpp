// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReasonTexts.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex &Lock()
{
    static QMutex lock;
    return lock;
}

TTextLookup &Texts()
{
    static TTextLookup texts;
    return texts;
}

} // namespace

void SetReasonTexts(TTextLookup texts)
{
    const QMutexLocker locker(&Lock());
    Texts() = std::move(texts);
}

QString ReasonText(int number)
{
    TTextLookup texts;
    {
        const QMutexLocker locker(&Lock());
        texts = Texts();
    }
    return texts ? texts(number) : BuiltInText(number);
}
