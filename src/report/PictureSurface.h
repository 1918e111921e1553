#pragma once

#include "ReportSurface.h"

#include <QByteArray>
#include <QPainter>
#include <QPicture>

#include <functional>
#include <vector>

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

    // The page records a blank stand-in of the image's size, which encodes at once, and the finished
    // page gets the image's recorded form in its place: the same bytes as if the image itself had
    // been drawn, without encoding it again on every page.
    void DrawImage(QPainter& painter, const QRectF& box, const ReportImage& image) override;

private:
    // An image to put in place of its stand-in: where the stand-in's record ends, and the image as
    // recorded.
    struct StandIn
    {
        qsizetype recordEnd;
        QByteArray recorded;
    };

    PageSink m_sink;
    QSize m_size;
    QPicture m_picture;
    QPainter m_painter;
    std::vector<StandIn> m_standIns;
};
