#include "PictureSurface.h"

#include "Exceptions.h"
#include "PictureRecords.h"
#include "ReportImage.h"
#include "Tenths.h"

#include <cmath>

namespace {

// An image record holds its box and the image, then the part of the image drawn and the conversion
// flags.
constexpr qsizetype ImageRecordHead = 4 * sizeof(double);
constexpr qsizetype ImageRecordTail = 4 * sizeof(double) + sizeof(quint32);

} // namespace

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
    m_standIns.clear();
    m_painter.begin(&m_picture);
    m_painter.setClipRect(QRect(QPoint(0, 0), m_size));
    return m_painter;
}

void PictureSurface::DrawImage(QPainter& painter, const QRectF& box, const ReportImage& image)
{
    const QImage& original = image.Image();
    QImage standIn(original.size(), QImage::Format_Mono);
    standIn.fill(0);
    standIn.setDevicePixelRatio(original.devicePixelRatio());
    painter.drawImage(box, standIn);
    // The painter writes the record of each command as it is given; the stand-in's is the last.
    m_standIns.push_back(StandIn{qsizetype(m_picture.size()), image.Recorded()});
}

void PictureSurface::EndPage()
{
    m_painter.end();
    if (!m_standIns.empty()) {
        auto next = m_standIns.cbegin();
        const QByteArray page = PictureRecords::Rewritten(
            QByteArrayView(m_picture.data(), m_picture.size()),
            [&](const PictureRecords::Record& record) -> std::optional<QByteArray> {
                if (next == m_standIns.cend() || record.end != next->recordEnd)
                    return std::nullopt;
                if (record.kind != PictureRecords::DrawImage ||
                    record.content.size() < ImageRecordHead + ImageRecordTail)
                    throw EReportError(QStringLiteral("A page's picture was not recorded as expected"));
                QByteArray content = record.content.first(ImageRecordHead).toByteArray();
                content.append(next->recorded);
                content.append(record.content.last(ImageRecordTail));
                ++next;
                return content;
            });
        if (next != m_standIns.cend())
            throw EReportError(QStringLiteral("A page's picture was not recorded as expected"));
        m_standIns.clear();
        m_picture.setData(page.constData(), uint(page.size()));
    }
    m_picture.setBoundingRect(QRect(QPoint(0, 0), m_size));
    m_sink(m_picture, m_size);
}

void PictureSurface::EndDocument() {}

void PictureSurface::AbortDocument()
{
    if (m_painter.isActive())
        m_painter.end();
    m_standIns.clear();
}
