// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Sizes as text, the same whatever the user's regional settings: "." as the
// decimal point, no digit grouping, at most 15 significant digits, and
// E-notation only below 0.0001 or above 15 integer digits ("5E-5", "2.5E20").
QString FloatToText(double value);

// A size as people read it: at most 4 decimals, trailing zeros dropped, never
// an exponent ("2.99999999999999" shows "3", 2.5E20 "250000000000000000000"),
// for lists and for fields that take digits and a point only.
QString FloatToShortText(double value);

// The decimal separator a language's text names, when it is one character
// that is not a digit; "." otherwise.
QChar DecimalSeparatorOf(const QString &text);
// FloatToShortText with the language's separator, and its way back, which
// takes "." as well.
QString FloatToShownText(double value, QChar separator);
QString ShownTextToC(const QString &text, QChar separator);

// Strict reading: optional spaces, sign, digits with at most one ".", an
// optional exponent, optional spaces. "." alone reads 0. Returns false for
// anything else, including a value too large for a double.
bool TryTextToFloat(const QString &text, double &value);

// As TryTextToFloat, raising "'%s' is not a valid floating point value".
double TextToFloat(const QString &text);
