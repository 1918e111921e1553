#include "TQRBand.h"

#include "Tenths.h"

#include <QPainter>

TQRBand::TQRBand(QString name, TQRBandType type, const std::array<double, 2>& sizeValues, const QColor& color)
    : m_name(std::move(name)), m_type(type), m_size(sizeValues), m_color(color)
{}

TQRBand::~TQRBand() = default;

TQRPrintable* TQRBand::Find(const QString& name) const
{
    for (const auto& control : m_controls) {
        if (control->Name() == name)
            return control.get();
    }
    return nullptr;
}

void TQRBand::Prepare(const ReportDataSet* dataSet)
{
    for (const auto& control : m_controls)
        control->Prepare(dataSet);
}

void TQRBand::Print(const TQRPrintContext& context)
{
    QPainter& painter = context.painter;
    const QRectF tenths(context.bandOrigin, QSizeF(Width(), Height()));
    painter.fillRect(Tenths::ToPixels(tenths, *painter.device()), m_color);
    for (const auto& control : m_controls) {
        painter.save();
        control->Print(context);
        painter.restore();
    }
}
