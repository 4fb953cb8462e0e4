// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GifSupport.h"
#include "MetafileGraphic.h"
#include "PictureLoading.h"

#include <QGuiApplication>

// The start of a target that reads pictures: an application, every picture
// kind registered as the program registers them, the GIF library and the
// metafile helper from programDir.
inline void StartPictureFuzzing(int *argc, char ***argv, const QString &programDir)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    RegisterPictureKinds();
    RegisterGifSupport();
    TMyGifImage::SetLibraryDir(programDir);
    TMetafileGraphic::SetScreenDpi(96);
    TMetafileGraphic::SetHelperDir(programDir);
}
