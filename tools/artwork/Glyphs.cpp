#include "Glyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <functional>

namespace Glyphs {

namespace {

constexpr int Size = 16;
// The lightest colour a motif may use: pure white is the see-through colour.
const QColor Paper(0xFC, 0xFC, 0xFC);

// Draws the motif on a clear ground, then settles every pixel to either the white ground or a fully
// opaque motif colour, which gives the hard edges the transparent-colour rule needs.
QImage render(const std::function<void(QPainter&)>& motif)
{
    QImage layer(Size, Size, QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        painter.setRenderHint(QPainter::Antialiasing);
        motif(painter);
    }
    QImage glyph(Size, Size, QImage::Format_RGB32);
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            const QRgb p = layer.pixel(x, y);
            QRgb out = qRgb(255, 255, 255);
            if (qAlpha(p) >= 112) {
                out = qRgb(qRed(p), qGreen(p), qBlue(p));
                if (out == qRgb(255, 255, 255))
                    out = Paper.rgb();
            }
            glyph.setPixel(x, y, out);
        }
    }
    return glyph;
}

void paintDisc(QPainter& painter, const QColor& face)
{
    const QPointF c(7.5, 7.5);
    QRadialGradient shade(c + QPointF(-2.5, -3), 9);
    shade.setColorAt(0, face.lighter(150));
    shade.setColorAt(0.55, face);
    shade.setColorAt(1, face.darker(130));
    painter.setPen(QPen(face.darker(170), 1));
    painter.setBrush(shade);
    painter.drawEllipse(c, 7.0, 7.0);
}

void paintArrow(QPainter& painter, qreal direction)
{
    const QPointF c(7.5 + direction * 0.6, 7.5);
    QPolygonF triangle({c + QPointF(direction * 3.6, 0), c + QPointF(-direction * 2.6, -3.8),
                        c + QPointF(-direction * 2.6, 3.8)});
    painter.setPen(QPen(Paper, 0.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Paper);
    painter.drawPolygon(triangle);
}

// An open hand, palm out, fingers up; one character per pixel.
const char* const Hand[] = {
    "................", "................", "........#.#.....", "......#.#.#.....",
    "......#.#.#.#...", "......#.#.#.#...", "......#.#.#.#...", "...#..#######...",
    "...##.#######...", "....#########...", ".....########...", "......#######...",
    ".......#####....", "................", "................", "................",
};

} // namespace

void paintMagnifier(QPainter& painter, const QRectF& box)
{
    const qreal s = qMin(box.width(), box.height()) / Size;
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(s, s);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath handle(QPointF(9.6, 9.6));
    handle.lineTo(QPointF(13.6, 13.6));
    painter.setPen(QPen(QColor(0x3A, 0x2A, 0x1A), 3.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(handle);
    painter.setPen(QPen(QColor(0xA8, 0x6A, 0x2C), 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10.6, 10.6), QPointF(13.4, 13.4));

    const QPointF c(6.2, 6.2);
    QRadialGradient glass(c + QPointF(-1.2, -1.4), 5);
    glass.setColorAt(0, QColor(0xF2, 0xFB, 0xFF));
    glass.setColorAt(1, QColor(0x9C, 0xD6, 0xF4));
    painter.setPen(QPen(QColor(0x24, 0x48, 0x70), 1.7));
    painter.setBrush(glass);
    painter.drawEllipse(c, 4.4, 4.4);
    painter.setPen(QPen(Paper, 1.0, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(c.x() - 2.6, c.y() - 2.6, 5.2, 5.2), 100 * 16, 70 * 16);
    painter.restore();
}

QImage search()
{
    return render([](QPainter& painter) { paintMagnifier(painter, QRectF(0, 0, Size, Size)); });
}

QImage cancel()
{
    QImage glyph = render([](QPainter& painter) { paintDisc(painter, QColor(0xD8, 0x22, 0x22)); });
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            if (Hand[y][x] == '#')
                glyph.setPixel(x, y, Paper.rgb());
        }
    }
    return glyph;
}

QImage print()
{
    return render([](QPainter& painter) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        const QColor outline(0x3A, 0x3A, 0x3A);
        painter.setPen(outline);
        painter.setBrush(Paper);
        painter.drawRect(4, 1, 7, 5);

        QLinearGradient body(0, 5, 0, 12);
        body.setColorAt(0, QColor(0xD8, 0xD8, 0xD8));
        body.setColorAt(1, QColor(0x86, 0x86, 0x86));
        painter.setBrush(body);
        painter.drawRect(1, 5, 13, 6);
        painter.setPen(QColor(0x22, 0x22, 0x22));
        painter.drawLine(3, 9, 12, 9);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x2E, 0xC0, 0x3A));
        painter.drawRect(11, 6, 2, 1);

        painter.setPen(outline);
        painter.setBrush(Paper);
        painter.drawRect(4, 10, 7, 4);
        painter.setPen(QColor(0x8A, 0x8A, 0x8A));
        painter.drawLine(6, 12, 9, 12);
    });
}

QImage next()
{
    return render([](QPainter& painter) {
        paintDisc(painter, QColor(0x2E, 0xA0, 0x3C));
        paintArrow(painter, 1);
    });
}

QImage previous()
{
    return render([](QPainter& painter) {
        paintDisc(painter, QColor(0x23, 0x6C, 0xD0));
        paintArrow(painter, -1);
    });
}

} // namespace Glyphs
