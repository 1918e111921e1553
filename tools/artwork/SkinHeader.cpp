#include "SkinHeader.h"

#include "Emblem.h"
#include "Ornament.h"
#include "Palette.h"
#include "SkinLayout.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <utility>

using namespace SkinLayout;

namespace SkinHeader {

void paintBand(QPainter& painter)
{
    const QRectF header(Frame.left(), Frame.top(), BandLeft - Frame.left(), HeaderBottom - Frame.top());
    QLinearGradient sky(header.topLeft(), header.bottomLeft());
    sky.setColorAt(0, Palette::HeaderTop);
    sky.setColorAt(0.65, Palette::HeaderTop.lighter(125));
    sky.setColorAt(1, Palette::HeaderBottom);
    painter.fillRect(header, sky);
    Ornament::starLattice(painter, header, 42, QColor(255, 255, 255, 46), 1.0);

    // A soft light behind each emblem lifts it off the pattern.
    for (const auto& [centre, radius] :
         {std::pair{QPointF(75, 57), 70.0}, std::pair{QPointF(685, 66), 120.0}}) {
        QRadialGradient glow(centre, radius);
        glow.setColorAt(0, QColor(255, 255, 255, 150));
        glow.setColorAt(0.6, QColor(255, 255, 255, 60));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        painter.fillRect(header, glow);
    }

    // Double rule along the foot of the header. It starts to the right of the place where the
    // count of found entries is written, so no line runs through that text.
    constexpr qreal ruleStart = 246;
    painter.setPen(QPen(Palette::Ink, 1.2));
    painter.drawLine(QPointF(ruleStart, HeaderBottom - 0.5), QPointF(BandLeft, HeaderBottom - 0.5));
    painter.setPen(QPen(Palette::Gold, 1));
    painter.drawLine(QPointF(ruleStart, HeaderBottom + 1.5), QPointF(BandLeft, HeaderBottom + 1.5));
    painter.setPen(QPen(Palette::Ink, 0.8));
    painter.setBrush(Palette::GoldLight);
    painter.drawPath(Ornament::khatam(QPointF(ruleStart, HeaderBottom + 0.5), 5.5, 22.5));

    Emblem::paint(painter, QRectF(25, 6, 100, 100), Emblem::blue());
}

void paintTitle(QPainter& painter)
{
    // A plaque with pointed ends frames the title.
    const QRectF plaque(222, 14, 236, 98);
    const qreal mid = plaque.center().y();
    QPainterPath outline(QPointF(plaque.left(), mid));
    outline.quadTo(QPointF(plaque.left() + 22, plaque.top()), QPointF(plaque.left() + 40, plaque.top()));
    outline.lineTo(QPointF(plaque.right() - 40, plaque.top()));
    outline.quadTo(QPointF(plaque.right() - 22, plaque.top()), QPointF(plaque.right(), mid));
    outline.quadTo(QPointF(plaque.right() - 22, plaque.bottom()),
                   QPointF(plaque.right() - 40, plaque.bottom()));
    outline.lineTo(QPointF(plaque.left() + 40, plaque.bottom()));
    outline.quadTo(QPointF(plaque.left() + 22, plaque.bottom()), QPointF(plaque.left(), mid));
    painter.setPen(QPen(QColor(255, 255, 255, 170), 1.2));
    painter.setBrush(QColor(0x10, 0x60, 0xA0, 38));
    painter.drawPath(outline);
    painter.setPen(QPen(QColor(0xF6, 0xD9, 0x7A, 150), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(QTransform()
                         .translate(plaque.center().x(), mid)
                         .scale(0.95, 0.89)
                         .translate(-plaque.center().x(), -mid)
                         .map(outline));
    for (const qreal x : {plaque.left(), plaque.right()}) {
        painter.setPen(QPen(Palette::Ink, 0.8));
        painter.setBrush(Palette::GoldLight);
        painter.drawPath(Ornament::khatam(QPointF(x, mid), 6.5, 22.5));
    }

    const QString title = QStringLiteral("Velnora");
    const QFont latin = font(QStringLiteral("Noto Serif"), 50, true);
    const QFontMetricsF metrics(latin);
    const qreal centre = 340;
    const QPointF origin(centre - metrics.horizontalAdvance(title) / 2, 66);

    QPainterPath letters;
    letters.addText(origin, latin, title);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x08, 0x2E, 0x55, 70));
    painter.drawPath(letters.translated(3.5, 3.5));
    painter.setBrush(QColor(0x08, 0x2E, 0x55, 120));
    painter.drawPath(letters.translated(2, 2));
    painter.setPen(QPen(QColor(0x1A, 0x5C, 0x8E), 1.0));
    QLinearGradient face(0, origin.y() - metrics.ascent(), 0, origin.y());
    face.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    face.setColorAt(1, QColor(0xE4, 0xF6, 0xFF));
    painter.setBrush(face);
    painter.drawPath(letters);

    // A rule with a star between the Latin and the Persian title.
    painter.setPen(QPen(QColor(255, 255, 255, 230), 1.2));
    painter.drawLine(QPointF(centre - 78, 76.5), QPointF(centre - 10, 76.5));
    painter.drawLine(QPointF(centre + 10, 76.5), QPointF(centre + 78, 76.5));
    painter.setPen(QPen(Palette::Ink, 0.8));
    painter.setBrush(Palette::GoldLight);
    painter.drawPath(Ornament::khatam(QPointF(centre, 76.5), 6, 22.5));

    const QString persian = QStringLiteral("ولنورا");
    const QRectF line(centre - 90, 75, 180, 32);
    painter.setFont(font(QStringLiteral("Noto Naskh Arabic"), 25, true));
    painter.setPen(QColor(0x08, 0x2E, 0x55, 130));
    painter.drawText(line.translated(1.5, 1.5), Qt::AlignCenter, persian);
    painter.setPen(QColor(0xFF, 0xFF, 0xFF));
    painter.drawText(line, Qt::AlignCenter, persian);
}

void paintPublisherMark(QPainter& painter)
{
    const QPointF centre(685, 60);
    Ornament::vineFlourish(painter, centre + QPointF(0, 12), 140, 38, Palette::Ink, QColor(0xE9, 0xF8, 0xFF));

    // Scalloped ring with the emblem inside.
    painter.setPen(QPen(Palette::Gold, 1));
    painter.setBrush(Palette::GoldLight);
    for (int i = 0; i < 16; ++i)
        painter.drawEllipse(Ornament::polar(centre, 50, i * 22.5), 7.5, 7.5);
    QRadialGradient disc(centre, 52);
    disc.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    disc.setColorAt(1, QColor(0xD9, 0xF3, 0xFF));
    painter.setPen(QPen(Palette::Ink, 1.4));
    painter.setBrush(disc);
    painter.drawEllipse(centre, 51, 51);
    painter.setPen(QPen(Palette::Gold, 0.8, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 47, 47);
    Emblem::paint(painter, QRectF(centre.x() - 43, centre.y() - 43, 86, 86), Emblem::colour());

    QFont name = font(QStringLiteral("Noto Serif"), 13, true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    painter.setFont(name);
    const QRectF caption(centre.x() - 100, 115, 200, 18);
    painter.setPen(QColor(255, 255, 255, 200));
    painter.drawText(caption.translated(1, 1), Qt::AlignCenter, QStringLiteral("OLVANDAR"));
    painter.setPen(Palette::InkDeep);
    painter.drawText(caption, Qt::AlignCenter, QStringLiteral("OLVANDAR"));

    Ornament::vineFlourish(painter, QPointF(centre.x(), 137), 96, 15, Palette::Ink, Palette::GoldLight);
}

} // namespace SkinHeader
