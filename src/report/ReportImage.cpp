#include "ReportImage.h"

#include "PictureRecords.h"

#include <QDataStream>
#include <QIODevice>

ReportImage::ReportImage(QImage image) : m_image(std::move(image)) {}

const QByteArray& ReportImage::Recorded() const
{
    if (m_recorded.isEmpty()) {
        QDataStream stream(&m_recorded, QIODevice::WriteOnly);
        stream.setVersion(PictureRecords::Format);
        stream << m_image;
    }
    return m_recorded;
}
