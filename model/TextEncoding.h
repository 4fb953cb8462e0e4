// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The character set of the text files the program reads and writes (the
// catalogue and the language file): UTF-8, and a file that is not valid
// UTF-8 is one written on Windows in its Western code page, Windows-1252.

bool IsValidUtf8(const QByteArray &bytes);
QString FromWindows1252(const QByteArray &bytes);
// The file's text by the rule above; a UTF-8 byte order mark is dropped.
QString DecodeTextFile(const QByteArray &bytes);
// The same bytes as UTF-8: unchanged when they already are.
QByteArray ToUtf8TextFile(const QByteArray &bytes);
