// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReasonTexts.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex &Lock()
{
    static QMutex lock;
    return lock;
}

QHash<int, QString> &Texts()
{
    static QHash<int, QString> texts;
    return texts;
}

} // namespace

void SetReasonTexts(const TTextLookup &texts)
{
    QHash<int, QString> copy;
    if (texts)
        for (int number = FirstReasonText; number <= LastReasonText; ++number)
            copy.insert(number, texts(number));
    const QMutexLocker locker(&Lock());
    Texts() = std::move(copy);
}

QString ReasonText(int number)
{
    const QMutexLocker locker(&Lock());
    const auto text = Texts().constFind(number);
    return text != Texts().constEnd() ? *text : BuiltInText(number);
}
