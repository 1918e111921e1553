#include "TQRShape.h"

#include <QPainter>

void TQRShape::Print(const TQRPrintContext& context)
{
    QPainter& painter = context.painter;
    const QRectF box = DeviceBox(context);
    painter.fillRect(box, Qt::white);
    QPen outline(Qt::black, 0);
    outline.setCosmetic(true);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    // The outline lies inside the box: its right and bottom pixels are the box's last ones.
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}
