#include "PictureSurface.h"

#include "Tenths.h"

#include <cmath>

PictureSurface::PictureSurface(PageSink sink) : m_sink(std::move(sink)) {}

void PictureSurface::BeginDocument(const QSizeF& paper)
{
    const QPicture measure;
    m_size = QSize(static_cast<int>(std::lround(Tenths::ToPixelsX(paper.width(), measure))),
                   static_cast<int>(std::lround(Tenths::ToPixelsY(paper.height(), measure))));
}

QPainter& PictureSurface::BeginPage()
{
    m_picture = QPicture();
    m_painter.begin(&m_picture);
    m_painter.setClipRect(QRect(QPoint(0, 0), m_size));
    return m_painter;
}

void PictureSurface::EndPage()
{
    m_painter.end();
    m_picture.setBoundingRect(QRect(QPoint(0, 0), m_size));
    m_sink(m_picture, m_size);
}

void PictureSurface::EndDocument() {}

void PictureSurface::AbortDocument()
{
    if (m_painter.isActive())
        m_painter.end();
}
