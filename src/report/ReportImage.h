#pragma once

#include <QByteArray>
#include <QImage>

// An image a report draws on its pages, such as the emblem of every page header. A recorded page
// holds each image drawn on it in full, encoded as PNG, and encoding a picture of a few hundred
// pixels takes longer than laying out the rest of a page: the image keeps its recorded form, made
// the first time a recording surface asks for it, for every later page and layout.
class ReportImage
{
public:
    explicit ReportImage(QImage image);

    const QImage& Image() const { return m_image; }

    // The image as a recorded page holds it: as Qt's picture engine writes an image into its records.
    const QByteArray& Recorded() const;

private:
    QImage m_image;
    mutable QByteArray m_recorded;
};
