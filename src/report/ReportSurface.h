#pragma once

#include <QSizeF>

class QPainter;
class QRectF;
class ReportImage;

// Where a layout sends its pages: the preview's page store or a printer. A page's painter has its
// origin at the paper's top-left corner and works in the device's pixels.
class ReportSurface
{
public:
    virtual ~ReportSurface() = default;

    // The paper, in tenths of a millimetre, width then length.
    virtual void BeginDocument(const QSizeF& paper) = 0;
    virtual QPainter& BeginPage() = 0;
    virtual void EndPage() = 0;
    virtual void EndDocument() = 0;
    virtual void AbortDocument() = 0;

    // Draws an image stretched over box with the page's painter, in its current state.
    virtual void DrawImage(QPainter& painter, const QRectF& box, const ReportImage& image);
};
