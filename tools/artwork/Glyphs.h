#pragma once

#include <QImage>
#include <QRectF>

class QPainter;

// The 16 × 16 button pictures. Each lies on a white ground, and the buttons treat the colour of the
// bottom-left pixel as transparent, so the motif keeps clear of that corner, never uses pure white
// itself, and has hard edges (no soft fringe that would show as a halo around it).
namespace Glyphs {

QImage search();
QImage cancel();
QImage print();
QImage next();
QImage previous();

// The magnifying glass at any size, for the search field drawn on the skin.
void paintMagnifier(QPainter& painter, const QRectF& box);

} // namespace Glyphs
