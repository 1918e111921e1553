#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class QPainter;

// Shapes and patterns of the arabesque ornament: stars, rosettes, leaves, scrolls and interlace.
// Angles are in degrees, clockwise from the positive x axis (the y axis points down).
namespace Ornament {

QPointF polar(QPointF centre, qreal radius, qreal degrees);

// A star with `points` tips alternating between the outer and the inner radius.
QPainterPath star(QPointF centre, qreal outer, qreal inner, int points, qreal turn = 0);
// The eight-pointed star made of two overlapping squares.
QPainterPath khatam(QPointF centre, qreal radius, qreal turn = 0);
// A flower of pointed petals around a centre.
QPainterPath rosette(QPointF centre, qreal radius, int petals, qreal turn = 0);
// An almond-shaped leaf growing from `base` towards `degrees`.
QPainterPath leaf(QPointF base, qreal length, qreal width, qreal degrees);
// A spiral scroll that starts at `startRadius` and winds inwards to `endRadius` over `sweep` degrees.
QPainterPath spiral(QPointF centre, qreal startRadius, qreal endRadius, qreal startDegrees, qreal sweep);

// A lattice of outlined eight-pointed stars and lozenges, clipped to `area`.
void starLattice(QPainter& painter, const QRectF& area, qreal cell, const QColor& ink, qreal width);

// A small rosette medallion: a star inside a ring with a flower at its heart.
void medallion(QPainter& painter, QPointF centre, qreal radius, const QColor& ink, const QColor& fill,
               const QColor& accent);

// Two interlaced ribbons running down a vertical strip, with medallions in the spaces between them.
void interlaceStrip(QPainter& painter, const QRectF& strip, qreal period);

// A symmetric pair of vine scrolls with leaves, spreading left and right from `centre`.
void vineFlourish(QPainter& painter, QPointF centre, qreal halfWidth, qreal height, const QColor& ink,
                  const QColor& leafFill);

} // namespace Ornament
