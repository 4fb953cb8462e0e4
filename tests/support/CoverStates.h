// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverDocuments.h"

#include <QTest>

// Every field of two covers, pictures by their bytes.
inline void CompareStates(const TDocumentState &a, const TDocumentState &b)
{
    QCOMPARE(a.Mode, b.Mode);
    QVERIFY(a.Size == b.Size);
    for (size_t i = 0; i < 3; ++i) {
        const TAreaState &x = a.Areas[i];
        const TAreaState &y = b.Areas[i];
        QCOMPARE(bool(x.Picture), bool(y.Picture));
        if (x.Picture) {
            // A picture of no file comes back as the PNG file it was kept as.
            if (x.Picture->FileBytes.isEmpty()) {
                QCOMPARE(y.Picture->FileKind, y.Picture->FileBytes.isEmpty() ? "" : "png");
            } else {
                QCOMPARE(x.Picture->FileKind, y.Picture->FileKind);
                QCOMPARE(x.Picture->FileBytes, y.Picture->FileBytes);
            }
            QCOMPARE(x.Picture->Bitmap.convertToFormat(QImage::Format_RGB32),
                     y.Picture->Bitmap.convertToFormat(QImage::Format_RGB32));
        }
        QCOMPARE(x.Stretch, y.Stretch);
        QCOMPARE(x.Autosize, y.Autosize);
        QCOMPARE(x.BackColor, y.BackColor);
        QVERIFY(x.Offset == y.Offset);
        QCOMPARE(x.Zoom, y.Zoom);
        QCOMPARE(x.Text, y.Text);
        QCOMPARE(x.Alignment, y.Alignment);
        QCOMPARE(x.Font.Font(), y.Font.Font());
        QCOMPARE(x.Font.Color(), y.Font.Color());
        QCOMPARE(x.Orientation, y.Orientation);
        QCOMPARE(x.TextPos, y.TextPos);
        QVERIFY(x.Blocks == y.Blocks);
    }
}

