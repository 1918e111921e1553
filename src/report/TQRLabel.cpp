#include "TQRLabel.h"

#include "RightToLeftText.h"
#include "Tenths.h"

#include <QFontMetricsF>
#include <QPainter>

TQRLabel::TQRLabel(QString name, const std::array<double, 4>& sizeValues, QString caption, const QFont& font,
                   const QColor& fontColor, const QColor& color)
    : TQRPrintable(std::move(name), sizeValues), m_caption(std::move(caption)), m_font(font),
      m_fontColor(fontColor), m_color(color)
{}

QRectF TQRLabel::MeasuredBox(const QPaintDevice& device) const
{
    const QFontMetricsF metrics(m_font, &device);
    const double right = Tenths::ToPixelsX(Left() + Width(), device);
    const double width = metrics.horizontalAdvance(m_caption);
    const double height = std::max(Tenths::ToPixelsY(Height(), device), metrics.height() + 1.0);
    return QRectF(right - width, Tenths::ToPixelsY(Top(), device), width, height);
}

void TQRLabel::Print(const TQRPrintContext& context)
{
    QPainter& painter = context.painter;
    const QPaintDevice& device = *painter.device();
    const QRectF box = MeasuredBox(device).translated(Tenths::ToPixelsX(context.bandOrigin.x(), device),
                                                      Tenths::ToPixelsY(context.bandOrigin.y(), device));
    painter.fillRect(box, m_color);
    const QFontMetricsF metrics(m_font, &device);
    if (metrics.height() > box.height())
        return;
    painter.setFont(QFont(m_font, &device));
    painter.setPen(m_fontColor);
    RightToLeftText::Draw(
        painter, box, int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop | Qt::TextSingleLine), m_caption);
}
