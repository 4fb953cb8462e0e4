// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

class QTranslator;

// Qt's own texts (the buttons of message boxes, the file, colour, font and
// print dialogs) in the program's language, switched with it.
class TQtTranslations
{
public:
    TQtTranslations();
    ~TQtTranslations();
    // A locale name ("de", "pt_PT"); empty or unknown leaves Qt's English.
    // Where Qt ships no texts for it, the program's own in programDir's
    // "translations" folder are used. True when texts for it were found.
    bool Apply(const QString &localeName, const QString &programDir);

private:
    std::unique_ptr<QTranslator> m_translator;
};
