#include "Emblem.h"

#include "Ornament.h"
#include "Palette.h"

#include <QPainter>
#include <QRadialGradient>

namespace Emblem {

EmblemColours blue()
{
    return {Palette::InkDeep, Palette::Ink, QColor(0xF4, 0xFA, 0xFF), Palette::InkLight, Palette::InkLight};
}

EmblemColours colour()
{
    return {Palette::InkDeep, Palette::Ink, QColor(0xFF, 0xFB, 0xEE), Palette::Gold, Palette::GoldLight};
}

namespace {

QPainterPath page(QPointF spineTop, qreal r, qreal side)
{
    const auto at = [&](qreal x, qreal y) { return spineTop + QPointF(side * x * r, y * r); };
    QPainterPath path(at(0.03, 0));
    path.cubicTo(at(0.20, -0.10), at(0.40, -0.10), at(0.58, -0.04));
    path.lineTo(at(0.58, 0.40));
    path.cubicTo(at(0.40, 0.34), at(0.20, 0.34), at(0.03, 0.44));
    path.closeSubpath();
    return path;
}

QPainterPath flame(QPointF base, qreal r)
{
    const auto at = [&](qreal x, qreal y) { return base + QPointF(x * r, y * r); };
    QPainterPath path(at(0, -0.62));
    path.cubicTo(at(0.10, -0.44), at(0.26, -0.30), at(0, -0.02));
    path.cubicTo(at(-0.26, -0.30), at(-0.10, -0.44), at(0, -0.62));
    return path;
}

} // namespace

void paint(QPainter& painter, const QRectF& box, const EmblemColours& colours)
{
    const qreal side = qMin(box.width(), box.height());
    const QPointF c = box.center();
    const qreal R = side / 2;
    const qreal line = qMax(1.0, R * 0.035);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(QPen(colours.ink, line * 1.4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(colours.star);
    painter.drawPath(Ornament::khatam(c, R - line, 22.5));

    // Small lozenges between the star's points and a ring of dots.
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.accent);
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * 45.0;
        painter.drawPath(Ornament::star(Ornament::polar(c, R * 0.74, a), R * 0.085, R * 0.04, 4, a));
    }

    const qreal disc = R * 0.62;
    painter.setPen(QPen(colours.accent, line));
    painter.setBrush(colours.ink);
    painter.drawEllipse(c, disc, disc);
    painter.setPen(QPen(colours.accent, line * 0.6, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(c, disc * 0.9, disc * 0.9);

    // The open book.
    const QPointF spine = c + QPointF(0, disc * 0.02);
    painter.setPen(QPen(colours.ink, line * 0.6));
    painter.setBrush(colours.page);
    for (const qreal s : {-1.0, 1.0})
        painter.drawPath(page(spine, disc, s));
    if (R > 30) {
        painter.setPen(QPen(colours.accent, line * 0.5));
        for (const qreal s : {-1.0, 1.0}) {
            for (int i = 0; i < 4; ++i) {
                const qreal y = 0.06 + i * 0.075;
                const QPointF a = spine + QPointF(s * 0.13 * disc, y * disc);
                const QPointF b = spine + QPointF(s * 0.48 * disc, (y - 0.02) * disc);
                painter.drawLine(a, b);
            }
        }
    }

    // The flame rising out of the book.
    const QPointF flameBase = c + QPointF(0, -disc * 0.06);
    QRadialGradient glow(flameBase + QPointF(0, -disc * 0.25), disc * 0.45);
    glow.setColorAt(0, colours.page);
    glow.setColorAt(1, colours.flame);
    painter.setPen(QPen(colours.page, line * 0.6));
    painter.setBrush(glow);
    painter.drawPath(flame(flameBase, disc));
    painter.restore();
}

} // namespace Emblem
