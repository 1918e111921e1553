#include "PagePlayback.h"

#include <QImage>
#include <QPainter>

void PlayPage(const QPicture& page, const QSize& paper)
{
    for (const qreal zoom : {0.25, 1.0}) {
        QImage image((QSizeF(paper) * zoom).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(zoom, zoom);
        painter.drawPicture(0, 0, page);
    }
}
