// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QRgb>

// Little CMS's own conversion of one colour (8-bit samples in the profile's
// channel order; CMYK as Adobe's inverted ink when inverted) into sRGB,
// perceptual intent: what a picture with that profile should show.
QRgb LcmsToSrgb(const QByteArray &icc, const QByteArray &samples, bool inverted = false);

// A CMYK output profile built with Little CMS from tables (no matrix that Qt
// could read): ink darkens each channel in turn.
QByteArray MakeCmykProfile();
