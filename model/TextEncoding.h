// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The character sets of the text files the program reads (the catalogue and
// the language file): UTF-8, and text that is not valid UTF-8 was written on
// Windows in its Western code page, Windows-1252.

bool IsValidUtf8(const QByteArray &bytes);
QString FromWindows1252(const QByteArray &bytes);
