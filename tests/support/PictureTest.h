// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GifSupport.h"
#include "MetafileGraphic.h"
#include "PictureLoading.h"
#include "TestFiles.h"

#include <QObject>
#include <QTemporaryDir>

// What the picture suites share: a folder for their files, and every picture
// kind registered as the program registers them, with the GIF library and
// the metafile helper from the build.
class TPictureTest : public QObject
{
protected:
    QTemporaryDir m_dir;
    QString Save(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        WriteBytes(path, bytes);
        return path;
    }
    static void RegisterKinds()
    {
        RegisterPictureKinds();
        RegisterGifSupport();
        TMyGifImage::SetLibraryDir(ProgramBinDir());
        TMetafileGraphic::SetScreenDpi(96);
        TMetafileGraphic::SetHelperDir(ProgramBinDir());
    }
};
