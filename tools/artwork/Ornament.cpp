#include "Ornament.h"

#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTransform>
#include <QtMath>

namespace Ornament {

QPointF polar(QPointF centre, qreal radius, qreal degrees)
{
    const qreal a = qDegreesToRadians(degrees);
    return centre + QPointF(radius * qCos(a), radius * qSin(a));
}

QPainterPath star(QPointF centre, qreal outer, qreal inner, int points, qreal turn)
{
    QPainterPath path;
    const qreal step = 180.0 / points;
    for (int i = 0; i < 2 * points; ++i) {
        const QPointF p = polar(centre, i % 2 == 0 ? outer : inner, turn - 90 + i * step);
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

QPainterPath khatam(QPointF centre, qreal radius, qreal turn)
{
    // The inner corners of two overlapping squares lie at cos 45° / cos 22.5° of the tip radius.
    return star(centre, radius, radius * 0.7654, 8, turn);
}

QPainterPath rosette(QPointF centre, qreal radius, int petals, qreal turn)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const qreal half = 180.0 / petals;
    for (int i = 0; i < petals; ++i) {
        const qreal a = turn - 90 + i * 2 * half;
        path.moveTo(centre);
        path.cubicTo(polar(centre, radius * 0.55, a - half * 0.95),
                     polar(centre, radius * 0.95, a - half * 0.45), polar(centre, radius, a));
        path.cubicTo(polar(centre, radius * 0.95, a + half * 0.45),
                     polar(centre, radius * 0.55, a + half * 0.95), centre);
    }
    return path;
}

QPainterPath leaf(QPointF base, qreal length, qreal width, qreal degrees)
{
    const QPointF tip = polar(base, length, degrees);
    const QPointF d = tip - base;
    const QPointF n = polar(QPointF(), width / 2, degrees + 90);
    QPainterPath path(base);
    path.cubicTo(base + d * 0.25 + n * 1.3, base + d * 0.7 + n * 0.9, tip);
    path.cubicTo(base + d * 0.7 - n * 0.9, base + d * 0.25 - n * 1.3, base);
    return path;
}

QPainterPath spiral(QPointF centre, qreal startRadius, qreal endRadius, qreal startDegrees, qreal sweep)
{
    const int steps = qMax(8, qRound(qAbs(sweep) / 4));
    QPainterPath path(polar(centre, startRadius, startDegrees));
    for (int i = 1; i <= steps; ++i) {
        const qreal t = qreal(i) / steps;
        path.lineTo(polar(centre, startRadius + (endRadius - startRadius) * t, startDegrees + sweep * t));
    }
    return path;
}

void starLattice(QPainter& painter, const QRectF& area, qreal cell, const QColor& ink, qreal width)
{
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setPen(QPen(ink, width));
    painter.setBrush(Qt::NoBrush);
    const qreal r = cell * 0.30;
    const qreal lozenge = cell * 0.16;
    for (qreal y = area.top() - cell; y < area.bottom() + cell; y += cell) {
        for (qreal x = area.left() - cell; x < area.right() + cell; x += cell) {
            const QPointF c(x, y);
            painter.drawPath(khatam(c, r, 22.5));
            painter.drawEllipse(c, r * 0.35, r * 0.35);
            const QPointF corner(x + cell / 2, y + cell / 2);
            painter.drawPath(star(corner, lozenge, lozenge * 0.45, 4, 0));
            painter.drawLine(polar(c, r, 0), polar(QPointF(x + cell, y), r, 180));
            painter.drawLine(polar(c, r, 90), polar(QPointF(x, y + cell), r, 270));
            painter.drawLine(polar(c, r, 45), polar(corner, lozenge, 225));
        }
    }
    painter.restore();
}

void medallion(QPainter& painter, QPointF centre, qreal radius, const QColor& ink, const QColor& fill,
               const QColor& accent)
{
    painter.save();
    painter.setPen(QPen(ink, qMax(0.8, radius * 0.07)));
    painter.setBrush(fill);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(accent);
    painter.drawPath(khatam(centre, radius * 0.82, 22.5));
    painter.setBrush(fill);
    painter.drawPath(rosette(centre, radius * 0.5, 8, 22.5));
    painter.setBrush(ink);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, radius * 0.13, radius * 0.13);
    painter.restore();
}

namespace {

QPainterPath ribbon(const QRectF& strip, qreal period, qreal amplitude, qreal sign, qreal from, qreal to)
{
    const qreal cx = strip.center().x();
    QPainterPath path;
    bool first = true;
    for (qreal y = from; y <= to + 0.01; y += 1.0) {
        const QPointF p(cx + sign * amplitude * qSin(2 * M_PI * (y - strip.top()) / period), y);
        if (first)
            path.moveTo(p);
        else
            path.lineTo(p);
        first = false;
    }
    return path;
}

void strokeRibbon(QPainter& painter, const QPainterPath& path)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Palette::InkDeep, 7, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(Palette::GoldLight, 4.4, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(Palette::Gold, 0.9, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(path);
}

} // namespace

void interlaceStrip(QPainter& painter, const QRectF& strip, qreal period)
{
    painter.save();
    painter.setClipRect(strip, Qt::IntersectClip);

    QLinearGradient ground(strip.topLeft(), strip.topRight());
    ground.setColorAt(0, QColor(0x9F, 0xDC, 0xF2));
    ground.setColorAt(0.5, QColor(0xD6, 0xF3, 0xFD));
    ground.setColorAt(1, QColor(0x9F, 0xDC, 0xF2));
    painter.fillRect(strip, ground);

    const qreal amplitude = strip.width() * 0.30;
    const qreal cx = strip.center().x();
    const int halves = int(strip.height() / (period / 2)) + 2;

    // Half rosettes against both edges where the ribbons cross.
    for (int k = 0; k < halves; ++k) {
        const qreal y = strip.top() + k * period / 2;
        for (const qreal x : {strip.left() + 2, strip.right() - 2}) {
            painter.setPen(QPen(Palette::Ink, 0.9));
            painter.setBrush(QColor(0xFF, 0xFF, 0xFF, 200));
            painter.drawPath(rosette(QPointF(x, y), amplitude * 0.62, 8, 22.5));
        }
    }

    const QPainterPath a = ribbon(strip, period, amplitude, 1, strip.top() - period, strip.bottom() + period);
    const QPainterPath b =
        ribbon(strip, period, amplitude, -1, strip.top() - period, strip.bottom() + period);
    strokeRibbon(painter, a);
    strokeRibbon(painter, b);
    // Over and under: at every other crossing the first ribbon passes over the second again.
    for (int k = 0; k < halves; k += 2) {
        const qreal y = strip.top() + k * period / 2;
        strokeRibbon(painter, ribbon(strip, period, amplitude, 1, y - period / 9, y + period / 9));
    }

    // Medallions in the lenses between the ribbons, alternating star and flower.
    for (int k = 0; k < halves; ++k) {
        const QPointF c(cx, strip.top() + period / 4 + k * period / 2);
        if (k % 2 == 0) {
            medallion(painter, c, amplitude * 0.78, Palette::InkDeep, QColor(0xE8, 0xF7, 0xFF), Palette::Ink);
        } else {
            painter.setPen(QPen(Palette::InkDeep, 0.9));
            painter.setBrush(Palette::Teal);
            painter.drawPath(khatam(c, amplitude * 0.82, 0));
            painter.setBrush(Palette::GoldLight);
            painter.drawPath(rosette(c, amplitude * 0.52, 8, 0));
        }
    }

    // Double rules down both edges.
    painter.setClipping(false);
    painter.setBrush(Qt::NoBrush);
    for (const qreal x : {strip.left() + 0.5, strip.right() - 0.5}) {
        painter.setPen(QPen(Palette::InkDeep, 1));
        painter.drawLine(QPointF(x, strip.top()), QPointF(x, strip.bottom()));
    }
    for (const qreal x : {strip.left() + 2.5, strip.right() - 2.5}) {
        painter.setPen(QPen(Palette::Gold, 1));
        painter.drawLine(QPointF(x, strip.top()), QPointF(x, strip.bottom()));
    }
    painter.restore();
}

namespace {

// One half of the flourish, growing to the right of the origin: a stem that dips, rises and curls
// into a spiral, with leaves along it and a small tendril.
void vineBranch(QPainter& painter, qreal halfWidth, qreal height, const QColor& ink, const QColor& leafFill)
{
    const qreal w = halfWidth;
    const qreal h = height;
    const qreal curl = 0.30 * h;
    const QPointF end(0.78 * w - curl, 0);
    QPainterPath arc(QPointF(0, 0));
    arc.cubicTo(QPointF(0.20 * w, 0.62 * h), QPointF(0.55 * w, 0.62 * h), end + QPointF(curl, 0));
    QPainterPath stem = arc;
    stem.connectPath(spiral(end, curl, curl * 0.22, 0, -330));

    const qreal stroke = qMax(1.1, h * 0.075);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(stem);

    // A tendril leaving the stem downwards and curling back.
    const QPointF fork = arc.pointAtPercent(0.62);
    QPainterPath tendril(fork);
    const QPointF tendrilEnd = fork + QPointF(0.16 * w, 0.28 * h);
    tendril.quadTo(fork + QPointF(0.02 * w, 0.30 * h), tendrilEnd);
    tendril.connectPath(spiral(tendrilEnd + QPointF(0, -0.12 * h), 0.12 * h, 0.03 * h, 90, -260));
    painter.setPen(QPen(ink, stroke * 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tendril);

    // Leaves sit on the stem, alternately above and below it, leaning towards its growth.
    painter.setPen(QPen(ink, qMax(0.6, stroke * 0.45)));
    painter.setBrush(leafFill);
    const struct
    {
        qreal at;
        qreal lean;
        qreal size;
    } leaves[] = {{0.14, 60, 0.85}, {0.36, -55, 1.0}, {0.82, 55, 0.9}, {0.97, -40, 0.75}};
    for (const auto& l : leaves) {
        const qreal along = -arc.angleAtPercent(l.at);
        painter.drawPath(leaf(arc.pointAtPercent(l.at), 0.5 * h * l.size, 0.24 * h * l.size, along + l.lean));
    }
    painter.setBrush(ink);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(end, stroke * 0.9, stroke * 0.9);
}

} // namespace

void vineFlourish(QPainter& painter, QPointF centre, qreal halfWidth, qreal height, const QColor& ink,
                  const QColor& leafFill)
{
    for (const qreal side : {1.0, -1.0}) {
        painter.save();
        painter.translate(centre);
        painter.scale(side, 1);
        vineBranch(painter, halfWidth, height, ink, leafFill);
        painter.restore();
    }
    painter.save();
    painter.setPen(QPen(ink, qMax(0.6, height * 0.03)));
    painter.setBrush(leafFill);
    painter.drawPath(leaf(centre, height * 0.55, height * 0.3, 90));
    painter.setBrush(Palette::Gold);
    painter.drawPath(khatam(centre, height * 0.16, 22.5));
    painter.restore();
}

} // namespace Ornament
