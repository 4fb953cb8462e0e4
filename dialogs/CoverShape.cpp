// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverShape.h"

#include "FloatText.h"

#include <QPainter>
#include <QRegularExpression>

QStringList CoverKinds(const QString &name, const TTextLookup &texts)
{
    // Patterns over the shipped names (and any a user gives alike), with the
    // number of the kind's word.
    static const std::pair<const char *, int> kinds[] = {
        {"jewel|Maxi-CD|\\bCD\\b|J8435|Hama 5043[01]", 311},
        {"DVD", 312},
        {"Blu-ray|UHD", 313},
        {"game|PS2|PS4|Xbox|Switch", 314},
        {"Digipak", 315},
        {"Cassette|J-card", 316},
        {"VHS|Video-8", 317},
        {"LP|record|single sleeve", 318},
        {"MiniDisc", 319},
        {"label", 320},
        {"sleeve", 321},
    };
    QStringList found;
    for (const auto &[pattern, text] : kinds)
        if (QRegularExpression(QLatin1String(pattern), QRegularExpression::CaseInsensitiveOption)
                .match(name)
                .hasMatch())
            found << texts(text);
    // A maker's sheet of labels, or plain paper cut by hand.
    static const QRegularExpression maker(QStringLiteral("\\b(Avery|Hama|Herma|Zweckform)\\b"));
    found << texts(maker.match(name).hasMatch() ? 322 : 323);
    return found;
}

TCoverShapeView::TCoverShapeView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCoverShapeView::ShowSize(const CoverSize &size, bool multiple, bool centimetres,
                               const QString &unit)
{
    m_size = size;
    m_multiple = multiple;
    m_centimetres = centimetres;
    m_unit = unit;
    update();
}

void TCoverShapeView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const CoverSize &s = m_size;
    std::vector<double> widths;
    double height = 0;
    if (m_multiple) {
        for (double w : {s.LeftWidth, s.CenterWidth, s.RightWidth})
            if (w > 0)
                widths.push_back(w);
        height = s.MultipleHeight;
    } else if (s.SingleWidth > 0) {
        widths.push_back(s.SingleWidth);
        height = s.SingleHeight;
    }
    double total = 0;
    for (double w : widths)
        total += w;
    if (widths.empty() || !(total > 0) || !(height > 0))
        return;
    // Room for the widths below and the height at the right.
    const QFontMetrics fm(font());
    const QRectF room = QRectF(rect()).adjusted(8, 8, -8 - fm.horizontalAdvance(QStringLiteral("000.00")),
                                                -8 - 2 * fm.height());
    const double scale = std::min(room.width() / total, room.height() / height);
    if (!(scale > 0))
        return;
    const double toUnit = m_centimetres ? 2.54 : 1;
    const auto text = [&](double inches) { return FloatToShownText(inches * toUnit, m_decimal); };
    QRectF whole(room.left(), room.top(), total * scale, height * scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(whole, palette().color(QPalette::AlternateBase));
    p.setPen(QPen(palette().color(QPalette::Text), 1));
    p.drawRect(whole);
    double x = whole.left();
    for (size_t i = 0; i < widths.size(); ++i) {
        const double w = widths[i] * scale;
        if (i > 0) {
            // A fold: where the spine meets a side.
            p.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DashLine));
            p.drawLine(QPointF(x, whole.top()), QPointF(x, whole.bottom()));
        }
        p.setPen(palette().color(QPalette::Text));
        const QRectF label(x, whole.bottom() + 2 + (i % 2) * fm.height(), w, fm.height());
        p.drawText(label, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text(widths[i]));
        x += w;
    }
    p.drawText(QRectF(whole.right() + 4, whole.top(), 200, whole.height()),
               Qt::AlignLeft | Qt::AlignVCenter, text(height));
    p.drawText(QRectF(rect()).adjusted(4, 0, -4, -2), Qt::AlignRight | Qt::AlignBottom, m_unit);
}
