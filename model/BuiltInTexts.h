// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <functional>

// A user-interface text by its number, as the windows ask for them.
using TTextLookup = std::function<QString(int number)>;

// The English text of every number the program uses: the windows' own
// captions before a language is applied.
QString BuiltInText(int number);
// Every number the program uses, in ascending order.
QList<int> UsedTextNumbers();
// A caption as shown: its accelerator marks gone, "&&" standing for "&".
QString WithoutMnemonic(QString text);

// A dialog's title from the menu item that opens it: no mnemonic, no
// trailing dots.
QString TitleOf(const QString &item);
