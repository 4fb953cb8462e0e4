// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QRgb>

// Little CMS's own conversion of one colour into sRGB, perceptual intent:
// what a picture with that profile should show. For a CMYK profile, the
// colour's channels are Adobe's inverted ink, black none.
QRgb LcmsToSrgb(const QByteArray &icc, QRgb colour);

// A CMYK output profile built with Little CMS from tables (no matrix that Qt
// could read): ink darkens each channel in turn.
QByteArray MakeCmykProfile();
