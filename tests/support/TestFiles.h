// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes to a file, replacing it; fails the calling test on error.
void WriteBytes(const QString &path, const QByteArray &bytes);
QByteArray ReadBytes(const QString &path);
// The built program folder, where GIFView.dll and the data files are placed.
QString ProgramBinDir();
QString SourceDir();
