#include "TQRImage.h"

#include "ReportSurface.h"

#include <QPainter>

TQRImage::TQRImage(QString name, const std::array<double, 4>& sizeValues, const QString& picture)
    : TQRPrintable(std::move(name), sizeValues), m_picture(QImage(picture))
{}

void TQRImage::Print(const TQRPrintContext& context)
{
    if (m_picture.Image().isNull())
        return;
    context.painter.setRenderHint(QPainter::SmoothPixmapTransform);
    context.surface.DrawImage(context.painter, DeviceBox(context), m_picture);
}
