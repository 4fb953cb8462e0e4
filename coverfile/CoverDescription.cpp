// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverDescription.h"

#include "ReasonTexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

const char FormatName[] = "Velmora cover";

// Words stored for the codes, in the codes' order.
const char *const ViewWords[] = {"stretch", "autosize", "userDefined"};
const char *const AlignmentWords[] = {"left", "right", "center"}; // taLeft, taRight, taCenter
const char *const OrientationWords[] = {"horizontal", "vertical"};
const char *const PositionWords[] = {"top", "center", "bottom"};
const char *const BlockAlignWords[] = {"left", "center", "right"};
const char *const BlockVAlignWords[] = {"top", "center", "bottom"};
const char *const FitWords[] = {"clip", "shrink", "columns"};

// Bounds of values no user reaches, so that no stored value overflows the
// drawing arithmetic.
constexpr int MaxOffset = 10000000;
constexpr int MaxFontSize = 32767;
constexpr int MaxPixelsPerCm = 100000;
constexpr qint64 MaxTextLength = 100000;

QString ColorName(TColorRef c)
{
    return ColorRefToQColor(c).name(QColor::HexRgb);
}

QString ColorName(const QColor &c)
{
    return c.name(c.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb);
}

QJsonObject DescribeSize(const CoverSize &s)
{
    return QJsonObject{{"name", s.Name.Text()},
                       {"singleWidth", s.SingleWidth},
                       {"singleHeight", s.SingleHeight},
                       {"leftWidth", s.LeftWidth},
                       {"centerWidth", s.CenterWidth},
                       {"rightWidth", s.RightWidth},
                       {"multipleHeight", s.MultipleHeight}};
}

QJsonObject DescribeBlock(const TTextBlock &b)
{
    return QJsonObject{
        {"box", QJsonArray{b.X, b.Y, b.Width, b.Height}},
        {"rotation", b.Rotation},
        {"text", b.Text},
        {"font", QJsonObject{{"name", b.FontName},
                             {"size", b.FontSize},
                             {"bold", b.Bold},
                             {"italic", b.Italic},
                             {"underline", b.Underline},
                             {"strikeOut", b.StrikeOut},
                             {"color", ColorName(b.Color)}}},
        {"alignment", BlockAlignWords[std::min(int(b.HAlign), 2)]},
        {"verticalAlignment", BlockVAlignWords[std::min(int(b.VAlign), 2)]},
        {"fit", FitWords[std::min(int(b.Fit), 2)]},
        {"columns", b.Columns},
        {"lineSpacing", b.LineSpacing},
    };
}

QJsonObject DescribeArea(const TAreaState &a, const TPictureEntry &picture)
{
    QJsonObject o;
    if (!picture.Name.isEmpty())
        o.insert("picture", QJsonObject{{"entry", picture.Name},
                                        {"kind", picture.Kind},
                                        {"bytes", double(picture.Bytes)}});
    o.insert("view", ViewWords[a.Stretch ? 0 : a.Autosize ? 1 : 2]);
    o.insert("offset", QJsonArray{a.Offset.X, a.Offset.Y});
    o.insert("zoom", a.Zoom);
    o.insert("background", ColorName(a.BackColor));
    o.insert("text", a.Text);
    const TCoverFont &f = a.Font;
    o.insert("font", QJsonObject{{"name", f.Name()},
                                 {"size", f.Size()},
                                 {"bold", f.Bold()},
                                 {"italic", f.Italic()},
                                 {"underline", f.Underline()},
                                 {"strikeOut", f.StrikeOut()},
                                 {"color", ColorName(f.Color())}});
    o.insert("alignment", AlignmentWords[a.Alignment <= taCenter ? a.Alignment : int(taCenter)]);
    o.insert("orientation", OrientationWords[a.Orientation == toVert ? 1 : 0]);
    o.insert("textPosition", PositionWords[a.TextPos <= tpBottom ? a.TextPos : int(tpCenter)]);
    if (!a.Blocks.empty()) {
        QJsonArray blocks;
        for (const TTextBlock &b : a.Blocks)
            blocks.append(DescribeBlock(b));
        o.insert("blocks", blocks);
    }
    return o;
}

// Reads values out of JSON objects; the first value that does not read
// stops everything and says which.
class TReader
{
public:
    QString Why;

    bool Fail(const QString &key, const QString &what = ReasonText(NotValidReason))
    {
        if (Why.isEmpty())
            Why = QStringLiteral("\"%1\" %2.").arg(key, what);
        return false;
    }

    bool Object(const QJsonObject &o, const char *key, QJsonObject &out)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isObject())
            return Fail(QLatin1String(key));
        out = v.toObject();
        return true;
    }
    bool String(const QJsonObject &o, const char *key, QString &out, qint64 maxLength)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isString() || v.toString().size() > maxLength)
            return Fail(QLatin1String(key));
        out = v.toString();
        return true;
    }
    bool Bool(const QJsonObject &o, const char *key, bool &out)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isBool())
            return Fail(QLatin1String(key));
        out = v.toBool();
        return true;
    }
    bool Number(const QJsonObject &o, const char *key, double low, double high, double &out)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isDouble() || !std::isfinite(v.toDouble()) || v.toDouble() < low ||
            v.toDouble() > high)
            return Fail(QLatin1String(key));
        out = v.toDouble();
        return true;
    }
    bool Integer(const QJsonObject &o, const char *key, int low, int high, int &out)
    {
        double d = 0;
        if (!Number(o, key, low, high, d))
            return false;
        if (d != std::floor(d))
            return Fail(QLatin1String(key));
        out = int(d);
        return true;
    }
    template <size_t N>
    bool Word(const QJsonObject &o, const char *key, const char *const (&words)[N], int &out)
    {
        const QString w = o.value(QLatin1String(key)).toString();
        for (size_t i = 0; i < N; ++i)
            if (w == QLatin1String(words[i])) {
                out = int(i);
                return true;
            }
        return Fail(QLatin1String(key));
    }
    bool Color(const QJsonObject &o, const char *key, QColor &out)
    {
        QString name;
        if (!String(o, key, name, 9))
            return false;
        static const QRegularExpression hex(QStringLiteral("^#([0-9a-fA-F]{6}|[0-9a-fA-F]{8})$"));
        if (!hex.match(name).hasMatch())
            return Fail(QLatin1String(key));
        out = QColor::fromString(name);
        return out.isValid() || Fail(QLatin1String(key));
    }
};

bool ReadSize(TReader &r, const QJsonObject &o, CoverSize &size)
{
    QString name;
    if (!r.String(o, "name", name, TSizeName::MaxLength * 2))
        return false;
    size.Name = name;
    const std::pair<const char *, double CoverSize::*> fields[] = {
        {"singleWidth", &CoverSize::SingleWidth},   {"singleHeight", &CoverSize::SingleHeight},
        {"leftWidth", &CoverSize::LeftWidth},       {"centerWidth", &CoverSize::CenterWidth},
        {"rightWidth", &CoverSize::RightWidth},     {"multipleHeight", &CoverSize::MultipleHeight},
    };
    for (const auto &[key, field] : fields)
        if (!r.Number(o, key, -MaxCoverInches, MaxCoverInches, size.*field))
            return false;
    return true;
}

bool ReadBlock(TReader &r, const QJsonObject &o, TTextBlock &b)
{
    const QJsonArray box = o.value(QLatin1String("box")).toArray();
    if (box.size() != 4)
        return r.Fail(QStringLiteral("box"));
    const QJsonObject sides{{"x", box.at(0)}, {"y", box.at(1)}, {"w", box.at(2)}, {"h", box.at(3)}};
    const double reach = TTextBlock::MaxReachMm;
    int h = 0, v = 0, fit = 0;
    QJsonObject font;
    QColor color;
    // The box is named as a whole, as the file holds it.
    TReader box4;
    if (!box4.Number(sides, "x", -reach, reach, b.X) || !box4.Number(sides, "y", -reach, reach, b.Y) ||
        !box4.Number(sides, "w", TTextBlock::MinSideMm, reach, b.Width) ||
        !box4.Number(sides, "h", TTextBlock::MinSideMm, reach, b.Height))
        return r.Fail(QStringLiteral("box"));
    if (!r.Integer(o, "rotation", 0, 270, b.Rotation) ||
        !r.String(o, "text", b.Text, TTextBlock::MaxTextBytes) || !r.Object(o, "font", font) ||
        !r.String(font, "name", b.FontName, 1000) ||
        !r.Number(font, "size", TTextBlock::MinFontSize, TTextBlock::MaxFontSize, b.FontSize) ||
        !r.Bool(font, "bold", b.Bold) || !r.Bool(font, "italic", b.Italic) ||
        !r.Bool(font, "underline", b.Underline) || !r.Bool(font, "strikeOut", b.StrikeOut) ||
        !r.Color(font, "color", color) || !r.Word(o, "alignment", BlockAlignWords, h) ||
        !r.Word(o, "verticalAlignment", BlockVAlignWords, v) || !r.Word(o, "fit", FitWords, fit) ||
        !r.Integer(o, "columns", 1, TTextBlock::MaxColumns, b.Columns) ||
        !r.Number(o, "lineSpacing", TTextBlock::MinLineSpacing, TTextBlock::MaxLineSpacing,
                  b.LineSpacing))
        return false;
    b.Color = QColorToColorRef(color);
    b.HAlign = TBlockAlign(h);
    b.VAlign = TBlockAlign(v);
    b.Fit = TBlockFit(fit);
    QString what;
    if (!b.IsValid(&what))
        return r.Fail(what);
    return true;
}

bool ReadBlocks(TReader &r, const QJsonObject &o, TTextBlocks &blocks)
{
    blocks.clear();
    if (!o.contains(QLatin1String("blocks")))
        return true;
    const QJsonValue v = o.value(QLatin1String("blocks"));
    if (!v.isArray() || v.toArray().size() > TTextBlock::MaxPerArea)
        return r.Fail(QStringLiteral("blocks"));
    for (const QJsonValue &item : v.toArray()) {
        TTextBlock b;
        if (!item.isObject())
            return r.Fail(QStringLiteral("blocks"));
        if (!ReadBlock(r, item.toObject(), b))
            return false;
        blocks.push_back(b);
    }
    return true;
}

bool ReadArea(TReader &r, const QJsonObject &o, CoverArea area, TAreaState &a,
              TPictureEntry &picture)
{
    if (o.contains(QLatin1String("picture"))) {
        QJsonObject p;
        double bytes = 0;
        if (!r.Object(o, "picture", p) || !r.String(p, "kind", picture.Kind, 8) ||
            !r.String(p, "entry", picture.Name, 64) ||
            !r.Number(p, "bytes", 1, double(MaxPictureFileBytes), bytes))
            return false;
        picture.Bytes = qint64(bytes);
        // The name is the one this program gives: never a path of the
        // writer's choosing.
        static const QRegularExpression kind(QStringLiteral("^[a-z0-9]{1,8}$"));
        if (!kind.match(picture.Kind).hasMatch())
            return r.Fail(QStringLiteral("kind"));
        if (picture.Name != PictureEntryName(area, picture.Kind))
            return r.Fail(QStringLiteral("entry"));
    }
    int view = 0, alignment = 0, orientation = 0, position = 0, size = 0;
    QColor back, color;
    QJsonObject font;
    QString fontName;
    bool bold = false, italic = false, underline = false, strikeOut = false;
    const QJsonArray offset = o.value(QLatin1String("offset")).toArray();
    if (!r.Word(o, "view", ViewWords, view) || !r.Number(o, "zoom", 0, TCoverDocument::MaxZoom, a.Zoom) ||
        !r.Color(o, "background", back) || !r.String(o, "text", a.Text, MaxTextLength) ||
        !r.Word(o, "alignment", AlignmentWords, alignment) ||
        !r.Word(o, "orientation", OrientationWords, orientation) ||
        !r.Word(o, "textPosition", PositionWords, position) || !r.Object(o, "font", font) ||
        !r.String(font, "name", fontName, 1000) || !r.Integer(font, "size", 1, MaxFontSize, size) ||
        !r.Bool(font, "bold", bold) || !r.Bool(font, "italic", italic) ||
        !r.Bool(font, "underline", underline) || !r.Bool(font, "strikeOut", strikeOut) ||
        !r.Color(font, "color", color) || !ReadBlocks(r, o, a.Blocks))
        return false;
    // Any zoom the document holds, which is what any command leaves.
    if (!TCoverDocument::IsValidZoom(a.Zoom))
        return r.Fail(QStringLiteral("zoom"));
    const QJsonObject xy{{"x", offset.at(0)}, {"y", offset.at(1)}};
    if (offset.size() != 2 || !r.Integer(xy, "x", -MaxOffset, MaxOffset, a.Offset.X) ||
        !r.Integer(xy, "y", -MaxOffset, MaxOffset, a.Offset.Y))
        return r.Fail(QStringLiteral("offset"));
    a.Stretch = view == 0;
    a.Autosize = view == 1;
    a.BackColor = QColorToColorRef(back);
    a.Alignment = uint8_t(alignment);
    a.Orientation = uint8_t(orientation);
    a.TextPos = uint8_t(position);
    a.Font.SetName(fontName);
    a.Font.SetSize(size);
    a.Font.SetBold(bold);
    a.Font.SetItalic(italic);
    a.Font.SetUnderline(underline);
    a.Font.SetStrikeOut(strikeOut);
    a.Font.SetColor(color);
    return true;
}

} // namespace

QString PictureEntryName(CoverArea area, const QString &kind)
{
    return QStringLiteral("pictures/area%1.%2").arg(area).arg(kind);
}

QByteArray DescribeCover(const TCoverFileContent &content,
                         const std::array<TPictureEntry, 3> &pictures)
{
    QJsonArray areas;
    bool blocks = false;
    for (size_t i = 0; i < 3; ++i) {
        areas.append(DescribeArea(content.State.Areas[i], pictures[i]));
        blocks = blocks || !content.State.Areas[i].Blocks.empty();
    }
    const QJsonObject root{
        {"format", FormatName},
        {"version", blocks ? CoverFormatVersion : 1},
        {"mode", content.State.Mode == CoverMode::Multiple ? "multiple" : "single"},
        {"size", DescribeSize(content.State.Size)},
        {"selectedArea", content.SelectedArea},
        {"offsetPixelsPerCm", content.OffsetPixelsPerCm},
        {"areas", areas},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool ReadCoverDescription(const QByteArray &json, TCoverFileContent &content,
                          std::array<TPictureEntry, 3> &pictures, QString &why)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (!document.isObject()) {
        // Well-formed JSON of another shape has no parse error to name.
        why = error.error != QJsonParseError::NoError
                  ? ReasonText(DescriptionUnreadReason).arg(error.errorString())
                  : ReasonText(NoSettingsReason);
        return false;
    }
    const QJsonObject root = document.object();
    if (root.value(QLatin1String("format")).toString() != QLatin1String(FormatName)) {
        why = ReasonText(NotACoverReason);
        return false;
    }
    const QJsonValue version = root.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() < 1 ||
        version.toDouble() != std::floor(version.toDouble())) {
        why = ReasonText(VersionUnreadReason);
        return false;
    }
    if (version.toDouble() > CoverFormatVersion) {
        why = ReasonText(NewerVersionReason)
                  .arg(version.toDouble())
                  .arg(CoverFormatVersion);
        return false;
    }
    TReader r;
    int mode = 0;
    QJsonObject size;
    const char *const modes[] = {"single", "multiple"};
    const QJsonArray areas = root.value(QLatin1String("areas")).toArray();
    bool ok = r.Word(root, "mode", modes, mode) && r.Object(root, "size", size) &&
              ReadSize(r, size, content.State.Size) &&
              r.Integer(root, "selectedArea", -1, 3, content.SelectedArea) &&
              r.Integer(root, "offsetPixelsPerCm", 1, MaxPixelsPerCm, content.OffsetPixelsPerCm);
    content.State.Mode = mode == 1 ? CoverMode::Multiple : CoverMode::Single;
    if (ok && areas.size() != 3)
        ok = r.Fail(QStringLiteral("areas"));
    if (ok && content.SelectedArea == 0)
        ok = r.Fail(QStringLiteral("selectedArea"));
    if (ok && content.State.Mode == CoverMode::Single && content.SelectedArea > 1)
        ok = r.Fail(QStringLiteral("selectedArea"));
    for (int i = 0; ok && i < 3; ++i) {
        pictures[size_t(i)] = TPictureEntry();
        if (!areas.at(i).isObject())
            ok = r.Fail(QStringLiteral("areas"));
        else
            ok = ReadArea(r, areas.at(i).toObject(), i + 1, content.State.Areas[size_t(i)],
                          pictures[size_t(i)]);
        // Offsets count in the pixels of the printer named beside them; far
        // outside the largest cover they mean nothing, and in another
        // printer's pixels they would not fit 32 bits.
        const TPoint o = content.State.Areas[size_t(i)].Offset;
        const double reach = MaxOffsetInches * 2.54 * content.OffsetPixelsPerCm;
        if (ok && (std::abs(double(o.X)) > reach || std::abs(double(o.Y)) > reach))
            ok = r.Fail(QStringLiteral("offset"));
    }
    if (!ok)
        why = ReasonText(DescriptionValueReason).arg(r.Why);
    return ok;
}
