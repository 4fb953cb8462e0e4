// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ProfileFile.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// The language file "VMLang.txt": one section per language, one key per
// text number. The file is read once per LoadLanguageFile, the only way it
// changes while the program runs.
class TLanguageController
{
public:
    // Releases the file read before; a missing file reads as an empty one.
    // The first language becomes current when there is one.
    void LoadLanguageFile(const QString &path);
    // The languages in file order, a name given twice (in any letter case)
    // listed once: the first section of a name is the one that is read.
    void GetLanguages(QStringList &list) const;
    // The text of that number in the current language, or "".
    QString GetString(int number) const;
    // The same, or nothing when the current language does not give that
    // number: the caller then has a text of its own.
    std::optional<QString> FindString(int number) const;
    // An empty name, or a name the file does not hold (a language file that
    // was replaced), stands for the file's first language. With no language
    // in the file the name is kept for when the file is back.
    void SetLanguage(const QString &name);

    QString CurrentLanguage;

private:
    std::unique_ptr<TProfileSnapshot> m_file;
    QString m_fileName;
    QStringList m_languages;
    QHash<int, QString> m_texts; // of the current language
};
