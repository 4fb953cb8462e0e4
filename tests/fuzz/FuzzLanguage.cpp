// SPDX-License-Identifier: GPL-3.0-or-later
// The language table over arbitrary file contents: every language listed,
// made current and asked for every text, as a libFuzzer target and as a
// replay of its corpus.
#include "BuiltInTexts.h"
#include "LanguageController.h"

#include "FuzzFile.h"

#include <cstdint>

VELMORA_FUZZ_CORE_APPLICATION

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 20)
        return 0;
    const QString path = FuzzFile(QStringLiteral("VMLang.txt"), data, size);
    TLanguageController table;
    table.LoadLanguageFile(path);
    QStringList languages;
    table.GetLanguages(languages);
    FuzzCheck(languages.isEmpty() ? table.CurrentLanguage.isEmpty()
                                  : table.CurrentLanguage == languages.first(),
              "the first language is current");
    for (int i = 0; i < languages.size(); ++i)
        for (int j = 0; j < i; ++j)
            FuzzCheck(QString::compare(languages[i], languages[j], Qt::CaseInsensitive) != 0,
                      "a language is listed once");
    const QList<int> numbers = UsedTextNumbers() << 1;
    for (int i = 0; i < languages.size() && i < 20; ++i) {
        table.SetLanguage(languages[i]);
        // A section with no name cannot be chosen: no name means the first.
        FuzzCheck(table.CurrentLanguage ==
                      (languages[i].isEmpty() ? languages.first() : languages[i]),
                  "a listed language becomes current");
        for (int number : numbers)
            FuzzCheck(table.GetString(number).size() <= TProfileFile::ValueLimit,
                      "a text is at most 2047 characters");
    }
    for (const QString &name : {QString(), QStringLiteral("Klingon \u00e9")}) {
        table.SetLanguage(name);
        const bool listed = !name.isEmpty() && languages.contains(name, Qt::CaseInsensitive);
        FuzzCheck(table.CurrentLanguage ==
                      (languages.isEmpty() || listed ? name : languages.first()),
                  "an empty or unknown name stands for the first language");
    }
    return 0;
}
