#pragma once

class QPainter;

// The right part of the skin: the column with the list, the search field and the options, and the frame's
// right edge with the window buttons.
namespace SkinColumn {

void paintColumn(QPainter& painter);
void paintEdgeBand(QPainter& painter);

} // namespace SkinColumn
