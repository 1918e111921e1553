#pragma once

#include "ReportImage.h"
#include "TQRPrintable.h"

// A picture stretched to fill its box exactly; its proportions are not kept.
class TQRImage : public TQRPrintable
{
public:
    // The picture is a resource path (":/assets/...").
    TQRImage(QString name, const std::array<double, 4>& sizeValues, const QString& picture);

    const QImage& Picture() const { return m_picture.Image(); }
    void Print(const TQRPrintContext& context) override;

private:
    ReportImage m_picture;
};
