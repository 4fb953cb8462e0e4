// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"

#include <QFile>
#include <stdexcept>

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file " + path.toStdString());
}

QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

QString ProgramBinDir()
{
    return QStringLiteral(VELMORA_BIN_DIR);
}

QString SourceDir()
{
    return QStringLiteral(VELMORA_SOURCE_DIR);
}
