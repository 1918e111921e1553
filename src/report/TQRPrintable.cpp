#include "TQRPrintable.h"

#include "Tenths.h"

#include <QPainter>

TQRPrintable::TQRPrintable(QString name, const std::array<double, 4>& sizeValues)
    : m_name(std::move(name)), m_size(sizeValues)
{}

TQRPrintable::~TQRPrintable() = default;

void TQRPrintable::Prepare(const ReportDataSet*) {}

QRectF TQRPrintable::DeviceBox(const TQRPrintContext& context) const
{
    const QRectF tenths(context.bandOrigin.x() + Left(), context.bandOrigin.y() + Top(), Width(), Height());
    return Tenths::ToPixels(tenths, *context.painter.device());
}
