#include "ChromeButtons.h"

#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>

namespace ChromeButtons {

namespace {

// A small square key with a raised face: light at the top, dark at the bottom, a crisp outline.
void paintKey(QPainter& painter, const QRectF& box, const QColor& face)
{
    QLinearGradient shade(box.topLeft(), box.bottomLeft());
    shade.setColorAt(0, face.lighter(135));
    shade.setColorAt(0.5, face);
    shade.setColorAt(1, face.darker(125));
    painter.setPen(QPen(face.darker(200), 1));
    painter.setBrush(shade);
    painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    painter.setPen(QPen(QColor(255, 255, 255, 110), 1));
    painter.drawLine(QPointF(box.left() + 2.5, box.top() + 1.5), QPointF(box.right() - 2.5, box.top() + 1.5));
}

} // namespace

void paintClose(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintKey(painter, box, Palette::CloseRed);
    const QRectF mark = box.adjusted(4, 4, -4, -4);
    painter.setPen(QPen(QColor(0xFF, 0xFF, 0xFF), 1.9, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(mark.topLeft(), mark.bottomRight());
    painter.drawLine(mark.topRight(), mark.bottomLeft());
    painter.restore();
}

void paintMinimise(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintKey(painter, box, Palette::MinimiseAmber);
    const qreal y = box.bottom() - 4.5;
    painter.setPen(QPen(QColor(0xFF, 0xFF, 0xFF), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(box.left() + 3.8, y), QPointF(box.right() - 3.8, y));
    painter.restore();
}

void paintEnvelope(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = box.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0, Palette::EnvelopeBlue.lighter(108));
    shade.setColorAt(1, Palette::EnvelopeBlue.darker(108));
    const QColor edge(0x2C, 0x6A, 0xA8);
    painter.setPen(QPen(edge, 1));
    painter.setBrush(shade);
    painter.drawRoundedRect(body, 1.2, 1.2);
    painter.setPen(QPen(edge, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    const QPointF fold(body.center().x(), body.top() + body.height() * 0.58);
    painter.drawPolyline(
        QPolygonF({body.topLeft() + QPointF(0.8, 0.8), fold, body.topRight() + QPointF(-0.8, 0.8)}));
    painter.setPen(QPen(edge.lighter(150), 0.7));
    painter.drawLine(body.bottomLeft() + QPointF(1, -1), fold + QPointF(-2, 1.5));
    painter.drawLine(body.bottomRight() + QPointF(-1, -1), fold + QPointF(2, 1.5));
    painter.restore();
}

} // namespace ChromeButtons
