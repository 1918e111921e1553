#include "ReportEmblem.h"

#include "Emblem.h"
#include "Ornament.h"
#include "Palette.h"

#include <QFont>
#include <QPainter>

namespace ReportEmblem {

QImage paint()
{
    QImage picture(Width, Height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    Emblem::paint(painter, QRectF(15, 4, 170, 170), Emblem::colour());

    QFont latin(QStringLiteral("Noto Serif"));
    latin.setPixelSize(21);
    latin.setBold(true);
    latin.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    painter.setFont(latin);
    painter.setPen(Palette::InkDeep);
    painter.drawText(QRectF(0, 176, Width, 26), Qt::AlignCenter, QStringLiteral("OLVANDAR"));

    painter.setPen(QPen(Palette::Gold, 1.2));
    painter.drawLine(QPointF(30, 206.5), QPointF(90, 206.5));
    painter.drawLine(QPointF(110, 206.5), QPointF(170, 206.5));
    painter.setPen(QPen(Palette::InkDeep, 0.8));
    painter.setBrush(Palette::GoldLight);
    painter.drawPath(Ornament::khatam(QPointF(100, 206.5), 6, 22.5));

    QFont persian(QStringLiteral("Noto Naskh Arabic"));
    persian.setPixelSize(16);
    persian.setBold(true);
    painter.setFont(persian);
    painter.setPen(Palette::Ink);
    painter.drawText(QRectF(0, 210, Width, 24), Qt::AlignCenter, QStringLiteral("انتشارات اولوندار"));
    return picture;
}

} // namespace ReportEmblem
