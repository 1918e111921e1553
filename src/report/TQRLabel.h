#pragma once

#include "TQRPrintable.h"

#include <QFont>

// A one-line text label of a right-to-left report. It takes the width of its caption in its font and
// keeps its declared right edge; it is at least one line of its font plus one pixel high. Its box is
// filled with its colour, so it hides what lies under it.
class TQRLabel : public TQRPrintable
{
public:
    TQRLabel(QString name, const std::array<double, 4>& sizeValues, QString caption, const QFont& font,
             const QColor& fontColor = Qt::black, const QColor& color = Qt::white);

    const QString& Caption() const { return m_caption; }
    const QFont& Font() const { return m_font; }

    // The box the label takes on a device, in its pixels, relative to the band's origin.
    QRectF MeasuredBox(const QPaintDevice& device) const;

    void Print(const TQRPrintContext& context) override;

private:
    QString m_caption;
    QFont m_font;
    QColor m_fontColor;
    QColor m_color;
};
