// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The fuzzer's bytes as a file of that name in a folder of the target's own,
// which the file-reading code under test then opens as users' files are.
inline QString FuzzFile(const QString &name, const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    return path;
}

// A promise of the code under test broken: the fuzzer stops at this input.
inline void FuzzCheck(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "broke its word: %s\n", what);
        std::abort();
    }
}

// The start of a target that needs no more of Qt than its core.
#define VELMORA_FUZZ_CORE_APPLICATION                                                              \
    extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)                                   \
    {                                                                                              \
        static QCoreApplication app(*argc, *argv);                                                 \
        return 0;                                                                                  \
    }
