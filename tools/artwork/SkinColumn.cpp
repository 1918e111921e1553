#include "SkinColumn.h"

#include "ChromeButtons.h"
#include "Glyphs.h"
#include "Ornament.h"
#include "Palette.h"
#include "SkinLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

using namespace SkinLayout;

namespace SkinColumn {

namespace {

void paintCartouche(QPainter& painter, QPointF c, qreal halfWidth, qreal halfHeight)
{
    // A pointed oval with a small lobe at each tip, the shape of a book-cover medallion.
    const qreal w = halfWidth;
    const qreal h = halfHeight;
    QPainterPath shape(c + QPointF(-w, 0));
    shape.cubicTo(c + QPointF(-w * 0.6, -h * 0.25), c + QPointF(-w * 0.5, -h), c + QPointF(0, -h));
    shape.cubicTo(c + QPointF(w * 0.5, -h), c + QPointF(w * 0.6, -h * 0.25), c + QPointF(w, 0));
    shape.cubicTo(c + QPointF(w * 0.6, h * 0.25), c + QPointF(w * 0.5, h), c + QPointF(0, h));
    shape.cubicTo(c + QPointF(-w * 0.5, h), c + QPointF(-w * 0.6, h * 0.25), c + QPointF(-w, 0));

    QRadialGradient fill(c, w);
    fill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    fill.setColorAt(1, QColor(0xA6, 0xE0, 0xF5));
    painter.setPen(QPen(Palette::InkDeep, 1.2));
    painter.setBrush(fill);
    painter.drawPath(shape);
    painter.setPen(QPen(Palette::Gold, 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(
        QTransform().translate(c.x(), c.y()).scale(0.88, 0.8).translate(-c.x(), -c.y()).map(shape));

    for (const qreal side : {-1.0, 1.0}) {
        const QPointF tip = c + QPointF(side * (w + 6), 0);
        painter.setPen(QPen(Palette::InkDeep, 0.8));
        painter.setBrush(Palette::GoldLight);
        painter.drawPath(Ornament::khatam(tip, 6, 22.5));
    }

    painter.save();
    painter.setClipPath(shape, Qt::IntersectClip);
    Ornament::vineFlourish(painter, c + QPointF(0, 3), w * 0.92, h * 0.72, Palette::Ink,
                           QColor(0xE0, 0xF5, 0xFF));
    painter.restore();
    Ornament::medallion(painter, c, h * 0.5, Palette::InkDeep, QColor(0xF4, 0xFB, 0xFF), Palette::Teal);
}

} // namespace

void paintColumn(QPainter& painter)
{
    const QRectF column(ColumnLeft, HeaderBottom + 2, BandLeft - ColumnLeft, Frame.bottom() - HeaderBottom);
    QLinearGradient cyan(column.topLeft(), column.bottomLeft());
    cyan.setColorAt(0, Palette::Column.lighter(104));
    cyan.setColorAt(1, Palette::Column);
    painter.fillRect(column, cyan);

    // The place of the list.
    const QRectF list(645.5, 160.5, 174, 293);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x30, 0x60, 0x80, 45));
    painter.drawRoundedRect(list.translated(1.5, 2), 5, 5);
    painter.setPen(QPen(Palette::Ink, 1));
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF));
    painter.drawRoundedRect(list, 4, 4);

    // The place of the search options, with the search field set into its top edge.
    const QRectF options(647.5, 466.5, 172, 97);
    painter.setPen(QPen(Palette::Ink, 1));
    painter.setBrush(Palette::OptionsGround);
    painter.drawRoundedRect(options, 7, 7);

    const QRectF field(650.5, 456.5, 155, 19);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x30, 0x60, 0x80, 50));
    painter.drawRoundedRect(field.translated(1, 1.5), 9.5, 9.5);
    painter.setPen(QPen(Palette::Ink, 1.1));
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF));
    painter.drawRoundedRect(field, 9.5, 9.5);
    Glyphs::paintMagnifier(painter, QRectF(661, 457.5, 17, 17));
    painter.setPen(QPen(QColor(0xA8, 0xD8, 0xEE), 1));
    painter.drawLine(QPointF(684.5, 459), QPointF(684.5, 473));

    // The foot of the column carries the large ornament on a faint lattice.
    const QRectF foot(ColumnLeft + 1, 566, BandLeft - ColumnLeft - 1, Frame.bottom() - 566);
    Ornament::starLattice(painter, foot, 30, QColor(0x1A, 0x4F, 0x93, 40), 0.8);
    paintCartouche(painter, foot.center() + QPointF(0, -1), 84, 38);
}

void paintEdgeBand(QPainter& painter)
{
    const QRectF band(BandLeft, Frame.top(), Frame.right() - BandLeft, Frame.height());
    QLinearGradient grey(band.topLeft(), band.topRight());
    grey.setColorAt(0, Palette::BandTop);
    grey.setColorAt(1, Palette::BandBottom);
    painter.fillRect(band, grey);
    painter.setPen(QPen(Palette::FrameOutline, 1));
    painter.drawLine(QPointF(BandLeft + 0.5, band.top()), QPointF(BandLeft + 0.5, band.bottom()));
    painter.setPen(QPen(QColor(255, 255, 255, 170), 1));
    painter.drawLine(QPointF(BandLeft + 1.5, band.top()), QPointF(BandLeft + 1.5, band.bottom()));

    // Small stars down the band below the buttons.
    painter.setPen(QPen(QColor(0x6A, 0x80, 0x90), 0.7));
    painter.setBrush(QColor(0xEE, 0xF3, 0xF6));
    for (qreal y = 110; y < band.bottom() - 12; y += 26)
        painter.drawPath(Ornament::khatam(QPointF(840.5, y), 5, 22.5));

    ChromeButtons::paintClose(painter, QRectF(834, 32, 13, 14));
    ChromeButtons::paintMinimise(painter, QRectF(834, 53, 13, 14));
    ChromeButtons::paintEnvelope(painter, QRectF(834, 75, 14, 11));
}

} // namespace SkinColumn
