#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QSize>
#include <QString>

// A page read from a report file is a recorded picture from outside the program. Qt plays pictures
// without limits: a count in the data becomes an allocation before anything is read, and a pen or a
// font of absurd size keeps the raster engine busy for minutes. So before a page is accepted, its
// picture is walked record by record exactly as Qt will read it, every count is held against the bytes
// that follow, and only the drawing the report layout itself records passes: solid pens and brushes,
// text, images, paths and polygons, clips and plain transforms, all within reach of the paper.
class PagePictureCheck
{
public:
    explicit PagePictureCheck(const QSize& pageSize);

    // Why the picture cannot be shown, or an empty text when it can.
    QString Problem(QByteArrayView picture);

private:
    QSize m_pageSize;
    // Images already decoded whole: the pages of one report repeat the same few.
    QSet<QByteArray> m_images;
};
