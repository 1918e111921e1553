#pragma once

#include "TQRPrintable.h"

#include <QImage>

// A picture stretched to fill its box exactly; its proportions are not kept.
class TQRImage : public TQRPrintable
{
public:
    // The picture is a resource path (":/assets/...").
    TQRImage(QString name, const std::array<double, 4>& sizeValues, const QString& picture);

    const QImage& Picture() const { return m_picture; }
    void Print(const TQRPrintContext& context) override;

private:
    QImage m_picture;
};
