#pragma once

#include <QRectF>
#include <QString>

class QLineEdit;
class QPainter;

// Text that Velnora draws itself on a right-to-left surface (the window's lists and title lines, the
// report's labels) is laid out as a right-to-left paragraph, the way the memos show the same string:
// a full stop ends the sentence at its left, quotes and brackets face the words they enclose, and
// digits and Latin words keep their places. A painter lays text out in its own direction, which is
// the application's (left to right) on a widget and the text's first letter elsewhere, so the
// direction is set here for every such text.
namespace RightToLeftText {

// Draws text into rect with QPainter::drawText's flags (alignment, single line, wrapping), in the
// painter's font and pen.
void Draw(QPainter& painter, const QRectF& rect, int flags, const QString& text);

// A line edit takes the direction of its paragraph from the first letter typed, or from the keyboard
// while it is empty. This one reads right to left whatever is typed first, as the direction key of a
// right-to-left keyboard sets it, and stands at its right edge.
void ReadRightToLeft(QLineEdit& edit);

} // namespace RightToLeftText
