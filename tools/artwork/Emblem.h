#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The publisher's emblem: an open book under a lamp's flame, set in an eight-pointed star.
struct EmblemColours
{
    QColor ink;    // outlines, the star's border and the disc behind the book
    QColor star;   // the star's face
    QColor page;   // the book's pages
    QColor flame;  // the lamp's flame
    QColor accent; // the small ornaments between the star's points
};

namespace Emblem {

EmblemColours blue();
EmblemColours colour();

// Draws the emblem filling the square centred in `box`.
void paint(QPainter& painter, const QRectF& box, const EmblemColours& colours);

} // namespace Emblem
