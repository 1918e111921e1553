#include "ReportSurface.h"

#include "ReportImage.h"

#include <QPainter>

void ReportSurface::DrawImage(QPainter& painter, const QRectF& box, const ReportImage& image)
{
    painter.drawImage(box, image.Image());
}
