// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ProfileFile.h"

#include <QString>
#include <QStringList>
#include <memory>

// The language file "VMLang.txt": one section per language, one key per
// text number. Every text is read from the file when it is asked for.
class TLanguageController
{
public:
    // Releases the file read before; a missing file reads as an empty one.
    // The first language becomes current when there is one.
    void LoadLanguageFile(const QString &path);
    void GetLanguages(QStringList &list) const;
    // The text of that number in the current language, or "".
    QString GetString(int number) const;
    // An empty name stands for the file's first language. A name the file
    // does not hold is kept all the same (every text then reads "").
    void SetLanguage(const QString &name);

    QString CurrentLanguage;

private:
    std::unique_ptr<TProfileFile> m_file;
    QString m_fileName;
};
