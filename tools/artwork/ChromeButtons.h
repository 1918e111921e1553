#pragma once

#include <QRectF>

class QPainter;

// The window's own buttons drawn on the right edge of the frame: close, minimise and write to us.
namespace ChromeButtons {

void paintClose(QPainter& painter, const QRectF& box);
void paintMinimise(QPainter& painter, const QRectF& box);
void paintEnvelope(QPainter& painter, const QRectF& box);

} // namespace ChromeButtons
