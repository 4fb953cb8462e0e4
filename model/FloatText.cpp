// SPDX-License-Identifier: GPL-3.0-or-later
#include "FloatText.h"

#include "VelmoraError.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// The significant digits of |value| to 15 places, trailing zeros dropped,
// and the decimal exponent of the first one. value must be finite, not 0.
void SignificantDigits(double value, std::string &digits, int &exponent)
{
    // Scientific with 14 decimals rounds to 15 significant digits and gives
    // the decimal exponent of the rounded value. to_chars ignores the C
    // locale, unlike printf.
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    std::string s(buf, res.ptr);
    const size_t e = s.find('e');
    digits = s.substr(0, 1) + s.substr(2, e - 2);
    exponent = std::stoi(s.substr(e + 1));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

std::string Positional(const std::string &digits, int exponent)
{
    if (exponent < 0)
        return "0." + std::string(size_t(-exponent - 1), '0') + digits;
    const size_t intDigits = size_t(exponent) + 1;
    if (digits.size() <= intDigits)
        return digits + std::string(intDigits - digits.size(), '0');
    return digits.substr(0, intDigits) + "." + digits.substr(intDigits);
}

QString NonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

namespace {

QString Format(double value, bool exponentAllowed)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    if (value == 0.0)
        return QStringLiteral("0");
    std::string digits;
    int exponent = 0;
    SignificantDigits(value, digits, exponent);
    std::string out = value < 0 ? "-" : "";
    if (exponentAllowed && (exponent < -4 || exponent >= 15)) {
        out += digits[0];
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        out += "E" + std::to_string(exponent);
    } else {
        out += Positional(digits, exponent);
    }
    return QString::fromLatin1(out.c_str());
}

} // namespace

QString FloatToText(double value)
{
    return Format(value, true);
}

QString FloatToShortText(double value)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    // Fixed with 4 decimals: the largest double has 309 digits before them.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 4);
    std::string s(buf, res.ptr);
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    if (s == "-0")
        s = "0";
    return QString::fromLatin1(s.c_str());
}

bool TryTextToFloat(const QString &text, double &value)
{
    // Plain digits with at most one point, as the catalogue stores nearly
    // every value: read at once. Both ways round the same decimal value
    // correctly, so they give the same double.
    if (text.size() <= 24) {
        char plain[24];
        int digits = 0;
        int points = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c >= u'0' && c <= u'9')
                ++digits;
            else if (c == u'.')
                ++points;
            else
                points = 2;
            plain[i] = char(c);
        }
        if (digits > 0 && points <= 1) {
            double v = 0;
            const auto res = std::from_chars(plain, plain + text.size(), v);
            if (res.ec == std::errc() && res.ptr == plain + text.size()) {
                value = v;
                return true;
            }
        }
    }
    const QByteArray bytes = text.toLatin1();
    if (QString::fromLatin1(bytes) != text)
        return false; // characters outside the single-byte set never make a number
    const char *p = bytes.constData();
    const char *end = p + bytes.size();

    while (p < end && *p == ' ')
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    std::string mantissa;
    bool sawPoint = false;
    bool sawDigitOrPoint = false;
    while (p < end && ((*p >= '0' && *p <= '9') || *p == '.')) {
        if (*p == '.') {
            if (sawPoint)
                return false;
            sawPoint = true;
        }
        mantissa += *p;
        sawDigitOrPoint = true;
        ++p;
    }
    if (!sawDigitOrPoint)
        return false;
    std::string exponent;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < end && (*p == '+' || *p == '-'))
            exponent += *p++;
        const size_t before = exponent.size();
        while (p < end && *p >= '0' && *p <= '9')
            exponent += *p++;
        if (exponent.size() == before)
            return false;
    }
    while (p < end && *p == ' ')
        ++p;
    if (p != end)
        return false;

    // The value is 0.<significant digits> x 10^scale. The scale counts the
    // mantissa's own decimal position before anything is clamped, so a
    // long run of zeros and an exponent that makes up for it read right.
    std::string digits;
    long long pointAt = -1;
    for (char c : mantissa) {
        if (c == '.')
            pointAt = (long long)digits.size();
        else
            digits += c;
    }
    if (pointAt < 0)
        pointAt = (long long)digits.size();
    const size_t first = digits.find_first_not_of('0');
    double v = 0;
    if (first != std::string::npos) {
        const size_t last = digits.find_last_not_of('0');
        const std::string significant = digits.substr(first, last - first + 1);
        // Exponents beyond any mantissa's reach are clamped: the result
        // overflows or underflows all the same.
        long long exp10 = 0;
        for (size_t i = exponent.empty() || (exponent[0] != '-' && exponent[0] != '+') ? 0 : 1;
             i < exponent.size(); ++i)
            exp10 = std::min<long long>(exp10 * 10 + (exponent[i] - '0'), 1000000000000LL);
        if (!exponent.empty() && exponent[0] == '-')
            exp10 = -exp10;
        const long long scale = pointAt - (long long)first + exp10;
        if (scale > 310)
            return false; // too large for a double fails like bad text
        if (scale >= -400) {
            const std::string number = "0." + significant + "e" + std::to_string(scale);
            const auto res = std::from_chars(number.data(), number.data() + number.size(), v,
                                             std::chars_format::general);
            if (res.ec == std::errc::result_out_of_range) {
                if (scale > 0)
                    return false;
                v = 0; // too small to hold reads as zero
            } else if (res.ec != std::errc() || res.ptr != number.data() + number.size()) {
                return false;
            }
        }
    }
    value = negative ? -v : v;
    return true;
}

double TextToFloat(const QString &text)
{
    double v = 0;
    if (!TryTextToFloat(text, v))
        throw EVelmoraError::InvalidFloat(text);
    return v;
}

QChar DecimalSeparatorOf(const QString &text)
{
    return text.size() == 1 && !text.at(0).isDigit() && !text.at(0).isSpace() ? text.at(0)
                                                                             : QLatin1Char('.');
}

QString FloatToShownText(double value, QChar separator)
{
    return FloatToShortText(value).replace(QLatin1Char('.'), separator);
}

QString ShownTextToC(const QString &text, QChar separator)
{
    QString c = text;
    return c.replace(separator, QLatin1Char('.'));
}
