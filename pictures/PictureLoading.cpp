// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureLoading.h"

#include "BmpGraphic.h"
#include "ContentKinds.h"
#include "GraphicKinds.h"
#include "IconGraphic.h"
#include "JpegGraphic.h"
#include "MetafileGraphic.h"
#include "PngGraphic.h"
#include "QtImageGraphic.h"
#include "ReasonTexts.h"
#include "TiffGraphic.h"
#include "VelmoraError.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <functional>
#include <new>

const char OpenPictureFilter[] =
    "All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.gif;"
    "*.png;*.webp;*.tif;*.tiff;*.jfif|"
    "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|"
    "Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|"
    "GIF Image File (*.gif)|*.gif|PNG Image File (*.png)|*.png|WebP Image File (*.webp)|*.webp|"
    "TIFF Image File (*.tif;*.tiff)|*.tif;*.tiff";

void RegisterPictureKinds()
{
    // Qt's own allocation limit (128 MB) is below the program's: every
    // picture within the program's limit must load, and the program checks
    // the size itself before Qt allocates.
    QImageReader::setAllocationLimit(int(MaxPicturePixels * 4 / (1024 * 1024)) + 1);
    TGraphicKinds &kinds = GraphicKinds();
    kinds.RegisterFileFormat(QStringLiteral("bmp"), QStringLiteral("Bitmaps"),
                             [] { return std::make_unique<TBmpGraphic>(); });
    kinds.RegisterFileFormat(QStringLiteral("ico"), QStringLiteral("Icons"),
                             [] { return std::make_unique<TIconGraphic>(); });
    kinds.RegisterFileFormat(QStringLiteral("jpg"), QStringLiteral("JPEG Image File"),
                             [] { return std::make_unique<TJpegGraphic>(); });
    kinds.RegisterFileFormat(QStringLiteral("jpeg"), QStringLiteral("JPEG Image File"),
                             [] { return std::make_unique<TJpegGraphic>(); });
    // What some browsers save JPEG photos as.
    kinds.RegisterFileFormat(QStringLiteral("jfif"), QStringLiteral("JPEG Image File"),
                             [] { return std::make_unique<TJpegGraphic>(); });
    kinds.RegisterFileFormat(QStringLiteral("wmf"), QStringLiteral("Metafiles"),
                             [] { return std::make_unique<TMetafileGraphic>(); });
    kinds.RegisterFileFormat(QStringLiteral("emf"), QStringLiteral("Enhanced Metafiles"),
                             [] { return std::make_unique<TMetafileGraphic>(); });
    kinds.RegisterFileFormat(QStringLiteral("png"), QStringLiteral("PNG Image File"),
                             [] { return std::make_unique<TPngGraphic>(); });
    // The kinds that Qt's own readers decode.
    const struct
    {
        const char *extension, *format, *description;
    } qtKinds[] = {
        {"webp", "webp", "WebP Image File"},
    };
    for (const char *extension : {"tif", "tiff"})
        kinds.RegisterFileFormat(QLatin1String(extension), QStringLiteral("TIFF Image File"),
                                 [] { return std::make_unique<TTiffGraphic>(); });
    for (const auto &k : qtKinds) {
        const QByteArray format = k.format;
        const QString name = QString::fromLatin1(k.description);
        kinds.RegisterFileFormat(QLatin1String(k.extension), name, [format, name] {
            return std::make_unique<TQtImageGraphic>(format, name);
        });
    }
}

std::unique_ptr<TGraphic> PictureForExtension(const QString &upperExtension)
{
    return GraphicKinds().Create(upperExtension);
}

namespace {

// The picture to load bytes as: the kind their content says where it says
// one the name does not, else the name's. Null with why set for content of
// a kind the program does not place.
std::unique_ptr<TGraphic> ChooseKind(const QString &named, const QByteArray &head, QString &kind,
                                     QString *why)
{
    const TContentKind content = KindOfContent(head);
    if (!content.Foreign.isEmpty()) {
        if (why)
            *why = ReasonText(ForeignKindReason).arg(content.Foreign);
        kind.clear();
        return nullptr;
    }
    // Only a name that claims a picture kind is overruled: a file with no
    // such name is not taken for a picture whatever it holds.
    kind = named;
    if (GraphicKinds().Find(named) && !content.Placed.isEmpty() &&
        !SameKind(content.Placed, named) && GraphicKinds().Find(content.Placed))
        kind = content.Placed;
    std::unique_ptr<TGraphic> picture = PictureForExtension(UpperCaseAscii(QLatin1Char('.') + kind));
    if (!picture && why)
        *why = ReasonText(NotAPictureKindReason);
    return picture;
}

// Runs a load; null with why set when it raises or gives an empty picture.
std::unique_ptr<TGraphic> Loaded(std::unique_ptr<TGraphic> picture,
                                 const std::function<void(TGraphic &)> &load, QString *why)
{
    const auto refuse = [why](const QString &reason) {
        if (why)
            *why = reason;
        return nullptr;
    };
    try {
        load(*picture);
    } catch (const EVelmoraError &e) {
        return refuse(e.Text());
    } catch (const std::bad_alloc &) {
        return refuse(QStringLiteral("Out of memory"));
    }
    if (picture->Empty())
        return refuse(ReasonText(EmptyPictureReason));
    return picture;
}

QByteArray FileHead(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.read(ContentKindHead) : QByteArray();
}

} // namespace

std::unique_ptr<TGraphic> LoadPicture(const QString &fileName, QString *why)
{
    QString kind;
    std::unique_ptr<TGraphic> picture =
        ChooseKind(ExtractFileExt(fileName).mid(1), FileHead(fileName), kind, why);
    if (!picture)
        return nullptr;
    return Loaded(std::move(picture), [&](TGraphic &p) { p.LoadFromFile(fileName); }, why);
}

std::unique_ptr<TGraphic> LoadPictureBytes(const QByteArray &bytes, const QString &kind,
                                           QString *why, QString *loadedAs)
{
    QString chosen;
    std::unique_ptr<TGraphic> picture = ChooseKind(kind, bytes.left(ContentKindHead), chosen, why);
    if (loadedAs)
        *loadedAs = chosen;
    if (!picture)
        return nullptr;
    return Loaded(std::move(picture), [&](TGraphic &p) { p.LoadFromBytes(bytes); }, why);
}

std::unique_ptr<TGraphic> LoadPictureKeepingFile(const QString &fileName, QByteArray &bytes,
                                                 QString *why, QString *loadedAs)
{
    // The first bytes decide the kind before the whole file is read.
    QString chosen;
    std::unique_ptr<TGraphic> picture =
        ChooseKind(ExtractFileExt(fileName).mid(1), FileHead(fileName), chosen, why);
    if (loadedAs)
        *loadedAs = chosen;
    if (!picture)
        return nullptr;
    return Loaded(std::move(picture),
                  [&](TGraphic &p) {
                      bytes = ReadPictureFile(fileName);
                      p.LoadFromBytes(bytes);
                  },
                  why);
}

QString OpenPictureFilterIn(const std::function<QString(int)> &texts)
{
    static const std::pair<const char *, int> names[] = {
        {"All", 358},           {"JPEG Image File", 359},    {"Bitmaps", 360},
        {"Icons", 361},         {"Enhanced Metafiles", 362}, {"Metafiles", 363},
        {"GIF Image File", 364}, {"PNG Image File", 365},    {"WebP Image File", 366},
        {"TIFF Image File", 367},
    };
    QStringList parts = QString::fromLatin1(OpenPictureFilter).split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString &caption = parts[i];
        const qsizetype open = caption.indexOf(QStringLiteral(" ("));
        QString name = open < 0 ? caption : caption.left(open);
        for (const auto &[english, number] : names)
            if (texts && name == QLatin1String(english))
                name = texts(number);
        // The first entry takes every kind: its caption says so.
        const QString patterns =
            i == 0 ? parts[i + 1] : open < 0 ? QString() : caption.mid(open + 2).chopped(1);
        caption = patterns.isEmpty() ? name : name + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return parts.join(QLatin1Char('|'));
}

QStringList QtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &mask : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            QString pattern;
            for (QChar c : mask) {
                if (c.isLetter())
                    pattern += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
                else
                    pattern += c;
            }
            patterns << pattern;
        }
        // The dialog shows the text alone; the last parentheses hold what
        // it matches.
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}
