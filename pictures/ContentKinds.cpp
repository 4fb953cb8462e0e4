// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContentKinds.h"

namespace {

QString Canonical(const QString &extension)
{
    const QString e = extension.toLower();
    if (e == QLatin1String("jpeg") || e == QLatin1String("jfif") || e == QLatin1String("jpe"))
        return QStringLiteral("jpg");
    if (e == QLatin1String("tiff"))
        return QStringLiteral("tif");
    return e;
}

} // namespace

bool SameKind(const QString &extension, const QString &other)
{
    return Canonical(extension) == Canonical(other);
}

TContentKind KindOfContent(const QByteArray &head)
{
    const auto at = [&](qsizetype offset, const char *signature, qsizetype length) {
        return head.size() >= offset + length &&
               head.mid(offset, length) == QByteArray::fromRawData(signature, length);
    };
    const auto placed = [](const char *kind) { return TContentKind{QLatin1String(kind), QString()}; };
    const auto foreign = [](const char *kind) { return TContentKind{QString(), QLatin1String(kind)}; };

    if (at(0, "\xFF\xD8\xFF", 3))
        return placed("jpg");
    if (at(0, "\x89PNG\r\n\x1A\n", 8))
        return placed("png");
    if (at(0, "GIF87a", 6) || at(0, "GIF89a", 6))
        return placed("gif");
    if (at(0, "RIFF", 4) && at(8, "WEBP", 4))
        return placed("webp");
    if (at(0, "II*\0", 4) || at(0, "MM\0*", 4) || at(0, "II+\0", 4) || at(0, "MM\0+", 4))
        return placed("tif");
    if (at(0, "BM", 2) && head.size() >= 18) {
        // The size of the information header: a known one, so that two
        // letters alone do not decide.
        const int info = uchar(head[14]) | uchar(head[15]) << 8;
        if (info == 12 || (info >= 16 && info <= 124))
            return placed("bmp");
    }
    if (at(0, "\xD7\xCD\xC6\x9A", 4) || at(0, "\x01\0\x09\0\0\x03", 6) ||
        at(0, "\x02\0\x09\0\0\x03", 6))
        return placed("wmf");
    if (at(0, "\x01\0\0\0", 4) && at(40, " EMF", 4))
        return placed("emf");
    if (at(0, "\0\0\x01\0", 4) && head.size() >= 6 && (uchar(head[4]) | uchar(head[5])))
        return placed("ico");

    if (at(0, "%PDF-", 5))
        return foreign("PDF");
    if (at(4, "ftyp", 4) && head.size() >= 12) {
        const QByteArray brand = head.mid(8, 4);
        if (brand == "avif" || brand == "avis")
            return foreign("AVIF");
        if (brand == "heic" || brand == "heix" || brand == "mif1" || brand == "msf1" ||
            brand == "hevc" || brand == "heim" || brand == "heis")
            return foreign("HEIF");
    }
    if (at(0, "\xFF\x0A", 2) || at(0, "\0\0\0\x0CJXL \r\n\x87\n", 12))
        return foreign("JPEG XL");
    if (at(0, "\0\0\0\x0CjP  \r\n\x87\n", 12) || at(0, "\xFF\x4F\xFF\x51", 4))
        return foreign("JPEG 2000");
    if (at(0, "8BPS", 4))
        return foreign("Photoshop");
    if (at(0, "PK\x03\x04", 4))
        return foreign("ZIP");
    if (head.left(ContentKindHead).contains("<svg"))
        return foreign("SVG");
    return TContentKind();
}
