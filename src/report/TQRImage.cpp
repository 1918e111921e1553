#include "TQRImage.h"

#include <QPainter>

TQRImage::TQRImage(QString name, const std::array<double, 4>& sizeValues, const QString& picture)
    : TQRPrintable(std::move(name), sizeValues), m_picture(picture)
{}

void TQRImage::Print(const TQRPrintContext& context)
{
    if (m_picture.isNull())
        return;
    context.painter.setRenderHint(QPainter::SmoothPixmapTransform);
    context.painter.drawImage(DeviceBox(context), m_picture);
}
