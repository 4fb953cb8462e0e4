// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
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
    // The program's own in programDir's "translations" folder stand in
    // where Qt's have none. True when texts for it were found.
    bool Apply(const QString &localeName, const QString &programDir);

private:
    void Remove();

    std::array<std::unique_ptr<QTranslator>, 2> m_translators; // Qt's, ours
};
