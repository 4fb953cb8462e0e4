// SPDX-License-Identifier: GPL-3.0-or-later
// Text blocks laid out: the size each fitting chooses and where every line
// goes, checked against the font's own measurements.
#include "TextBlocks.h"

#include <QFontMetricsF>
#include <QTest>
#include <cmath>

namespace {

constexpr double Eps = 1e-6;
// Widths measured at two sizes agree to a thousandth of a millimetre.
constexpr double Tol = 1e-3;

bool Near(double a, double b)
{
    return std::abs(a - b) < Tol;
}
constexpr double MmPerPoint = 25.4 / 72;

// The font's measures in millimetres at one point, unhinted, where they
// scale with the size.
struct TFace
{
    double Ascent, Descent, Line;
    QFontMetricsF Metrics;
    explicit TFace(const QFont &f)
        : Ascent(0), Descent(0), Line(0), Metrics(f)
    {
        const double k = MmPerPoint / f.pixelSize();
        Ascent = Metrics.ascent() * k;
        Descent = Metrics.descent() * k;
        Line = Metrics.lineSpacing() * k;
    }
    double Width(const QString &s) const { return Metrics.horizontalAdvance(s) * MmPerPoint / 1000; }
};

QFont FaceFont()
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(1000);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

TTextBlock Block(TBlockFit fit, int columns, const QString &text, double w, double h, double size)
{
    TTextBlock b;
    b.FontName = QStringLiteral("Liberation Sans");
    b.Fit = fit;
    b.Columns = columns;
    b.Text = text;
    b.Width = w;
    b.Height = h;
    b.FontSize = size;
    return b;
}

QString Tracks(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("%1\tTrack number %1\t%2:0%3").arg(i).arg(i % 7 + 1).arg(i % 10);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class TestTextBlocks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fittingsChooseTheLargestSizeThatFits_data()
    {
        QTest::addColumn<TTextBlock>("block");
        QTest::addColumn<int>("perColumn");
        const auto row = [](const char *name, const TTextBlock &b, int perColumn) {
            QTest::newRow(name) << b << perColumn;
        };
        const QString three = QStringLiteral("One\nTwo\nThree");
        row("clip keeps its size", Block(TBlockFit::Clip, 1, three, 10, 5, 24), 3);
        row("shrink that fits stays", Block(TBlockFit::Shrink, 1, three, 60, 40, 10), 3);
        row("shrink to the width", Block(TBlockFit::Shrink, 1, QStringLiteral("MMMMMMMM"), 30, 50, 72), 1);
        row("shrink to the height", Block(TBlockFit::Shrink, 1, three, 100, 12, 40), 3);
        row("shrink wraps words", Block(TBlockFit::Shrink, 1,
                                        QStringLiteral("a few words that wrap in a narrow box"), 20, 30, 30), 0);
        for (int n = 1; n <= 5; ++n)
            QTest::newRow(qPrintable(QStringLiteral("%1 columns").arg(n)))
                << Block(TBlockFit::Columns, n, Tracks(12), 120, 30, 14) << (12 + n - 1) / n;
        row("columns of one line", Block(TBlockFit::Columns, 3, QStringLiteral("Solo"), 60, 20, 10), 1);
    }
    void fittingsChooseTheLargestSizeThatFits()
    {
        QFETCH(TTextBlock, block);
        QFETCH(int, perColumn);
        const TBlockLayout layout = LayOutTextBlock(block);
        const TFace face(FaceFont());
        if (perColumn > 0)
            QCOMPARE(layout.PerColumn, perColumn);
        if (block.Fit == TBlockFit::Clip) {
            QCOMPARE(layout.FontSize, block.FontSize);
            QVERIFY(!layout.Fits);
            return;
        }
        // Every line lies within the frame at the size chosen, by the font's
        // own measures...
        const double s = layout.FontSize;
        QVERIFY(layout.Fits);
        QVERIFY(s <= block.FontSize);
        for (const TBlockRun &run : layout.Runs) {
            QVERIFY2(run.X >= -Eps && run.X + face.Width(run.Text) * s <= block.Width + Tol,
                     qPrintable(run.Text));
            QVERIFY(run.Baseline - face.Ascent * s >= -Tol);
            QVERIFY(run.Baseline + face.Descent * s <= block.Height + Tol);
        }
        // ...and a quarter point more does not fit.
        if (s < block.FontSize) {
            QCOMPARE(std::fmod(s * 4, 1.0), 0.0);
            TTextBlock larger = block;
            larger.FontSize = s + 0.25;
            QVERIFY(LayOutTextBlock(larger).FontSize < larger.FontSize);
        }
        // A single word: the size is the width over the word's width per
        // point, in whole quarters.
        if (block.Text == QLatin1String("MMMMMMMM"))
            QCOMPARE(s, std::floor(block.Width / face.Width(block.Text) * 4) / 4);
    }

    void linesAlignAndRowsLineUp()
    {
        const TFace face(FaceFont());
        // Three lines at their size: spaced by the font's line height, set
        // left, centred or right, at the top, middle or bottom.
        for (const auto align : {TBlockAlign::Start, TBlockAlign::Center, TBlockAlign::End}) {
            TTextBlock b = Block(TBlockFit::Clip, 1, QStringLiteral("One\nTwo\nThree"), 80, 50, 12);
            b.HAlign = b.VAlign = align;
            b.LineSpacing = 1.5;
            const TBlockLayout l = LayOutTextBlock(b);
            QCOMPARE(l.Runs.size(), size_t(3));
            const double line = face.Line * 12 * 1.5;
            const double glyphs = (face.Ascent + face.Descent) * 12;
            for (size_t i = 0; i < 3; ++i) {
                const TBlockRun &r = l.Runs[i];
                QVERIFY(Near(r.Width, face.Width(r.Text) * 12));
                const double room = b.Width - r.Width;
                QVERIFY(Near(r.X, align == TBlockAlign::Start ? 0 : align == TBlockAlign::Center ? room / 2 : room));
                const double top = align == TBlockAlign::Start ? 0
                                   : align == TBlockAlign::Center ? (b.Height - 3 * line) / 2
                                                                   : b.Height - 3 * line;
                QVERIFY(Near(r.Baseline, top + i * line + (line - glyphs) / 2 + face.Ascent * 12));
            }
        }
        // A track list: numbers at the left, titles at one stop past the
        // widest number, durations set right at the column's edge.
        const TTextBlock list = Block(TBlockFit::Clip, 1, Tracks(10), 90, 80, 10);
        const TBlockLayout l = LayOutTextBlock(list);
        QCOMPARE(l.Runs.size(), size_t(30));
        const double titles = l.Runs[1].X;
        QVERIFY(titles >= face.Width(QStringLiteral("10")) * 10);
        for (size_t i = 0; i < 30; i += 3) {
            QCOMPARE(l.Runs[i].X, 0.0);
            QCOMPARE(l.Runs[i + 1].X, titles);
            QVERIFY(Near(l.Runs[i + 2].X + l.Runs[i + 2].Width, list.Width));
            QCOMPARE(l.Runs[i].Baseline, l.Runs[i + 2].Baseline);
        }
        // Columns fill down, then across; their rows share baselines.
        const TTextBlock cols = Block(TBlockFit::Columns, 3, Tracks(9), 150, 40, 8);
        const TBlockLayout c = LayOutTextBlock(cols);
        QCOMPARE(c.PerColumn, 3);
        QCOMPARE(c.Runs[9].X, c.Runs[0].X + (150 - 2 * c.FontSize * MmPerPoint) / 3 + c.FontSize * MmPerPoint);
        QCOMPARE(c.Runs[9].Baseline, c.Runs[0].Baseline);
        QVERIFY(c.Runs[3].Baseline > c.Runs[0].Baseline);
    }

    void quarterTurnsExchangeTheFrame()
    {
        TTextBlock b = Block(TBlockFit::Shrink, 1, QStringLiteral("Artist - Album"), 8, 120, 30);
        QCOMPARE(LayOutTextBlock(b).FontSize < 15, true); // 8 mm across does not take the line
        b.Rotation = 270;
        QCOMPARE(b.Frame(), QSizeF(120, 8));
        const TBlockLayout turned = LayOutTextBlock(b);
        QVERIFY(turned.Fits);
        QVERIFY(turned.FontSize > LayOutTextBlock(Block(TBlockFit::Shrink, 1, b.Text, 8, 120, 30)).FontSize);
    }

    void onlyValuesTheProgramMakesAreValid()
    {
        const TTextBlock good;
        QVERIFY(good.IsValid());
        const std::pair<const char *, std::function<void(TTextBlock &)>> bad[] = {
            {"position", [](TTextBlock &b) { b.X = std::nan(""); }},
            {"size", [](TTextBlock &b) { b.Width = 0.5; }},
            {"rotation", [](TTextBlock &b) { b.Rotation = 45; }},
            {"text", [](TTextBlock &b) { b.Text = QString(TTextBlock::MaxTextBytes / 2 + 1, QChar(0x00E9)); }},
            {"size", [](TTextBlock &b) { b.FontSize = 0; }},
            {"columns", [](TTextBlock &b) { b.Columns = 6; }},
            {"lineSpacing", [](TTextBlock &b) { b.LineSpacing = 4; }},
        };
        for (const auto &[what, spoil] : bad) {
            TTextBlock b;
            spoil(b);
            QString why;
            QVERIFY(!b.IsValid(&why));
            QCOMPARE(why, QString::fromLatin1(what));
        }
        // An empty text lays out as nothing, and a huge text with no space
        // shrinks to the smallest size and says it does not fit.
        QVERIFY(LayOutTextBlock(Block(TBlockFit::Shrink, 1, QString(), 10, 10, 10)).Runs.empty());
        const TBlockLayout huge = LayOutTextBlock(
            Block(TBlockFit::Columns, 5, QString(60000, QLatin1Char('W')), 10, 10, 10));
        QCOMPARE(huge.FontSize, TTextBlock::MinFontSize);
        QVERIFY(!huge.Fits);
    }
};

QTEST_MAIN(TestTextBlocks)
#include "tst_textblocks.moc"
