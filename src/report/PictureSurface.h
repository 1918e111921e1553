#pragma once

#include "ReportSurface.h"

#include <QPainter>
#include <QPicture>

#include <functional>

// Records each page as a picture the size of the paper at the screen's resolution and hands it on
// when the page is finished.
class PictureSurface : public ReportSurface
{
public:
    // Receives each finished page and the paper's size in the picture's pixels.
    using PageSink = std::function<void(const QPicture& page, const QSize& size)>;

    explicit PictureSurface(PageSink sink);

    void BeginDocument(const QSizeF& paper) override;
    QPainter& BeginPage() override;
    void EndPage() override;
    void EndDocument() override;
    void AbortDocument() override;

private:
    PageSink m_sink;
    QSize m_size;
    QPicture m_picture;
    QPainter m_painter;
};
