#include "PreviewGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor Ink(32, 32, 32);
const QColor Paper(255, 255, 255);
const QColor Accent(30, 90, 170);

void Sheet(QPainter& p)
{
    p.setPen(Ink);
    p.setBrush(Paper);
    p.drawRect(3, 1, 10, 13);
}

void Triangle(QPainter& p, int tipX, bool pointsLeft)
{
    QPainterPath path;
    const int base = pointsLeft ? tipX + 5 : tipX - 5;
    path.moveTo(tipX, 8);
    path.lineTo(base, 3);
    path.lineTo(base, 13);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    p.drawPath(path);
}

void Printer(QPainter& p)
{
    p.setPen(Ink);
    p.setBrush(Paper);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(1, 6, 13, 6);
    p.setBrush(Paper);
    p.drawRect(4, 10, 7, 5);
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(12, 8);
}

void Draw(QPainter& p, PreviewGlyphs::Glyph glyph)
{
    using PreviewGlyphs::Glyph;
    switch (glyph) {
    case Glyph::ZoomToFit:
        Sheet(p);
        for (int y = 2; y < 14; y += 2) {
            p.fillRect(4, y, 1, 1, Accent);
            p.fillRect(12, y + 1, 1, 1, Accent);
        }
        for (int x = 4; x < 13; x += 2) {
            p.fillRect(x, 2, 1, 1, Accent);
            p.fillRect(x + 1, 13, 1, 1, Accent);
        }
        break;
    case Glyph::Zoom100:
        Sheet(p);
        p.setPen(Accent);
        for (int y = 4; y <= 11; y += 2)
            p.drawLine(5, y, 11, y);
        break;
    case Glyph::ZoomToWidth:
        p.fillRect(1, 2, 2, 12, Ink);
        p.fillRect(13, 2, 2, 12, Ink);
        p.setPen(QPen(Accent, 1));
        p.drawLine(4, 8, 11, 8);
        p.drawLine(4, 8, 6, 6);
        p.drawLine(4, 8, 6, 10);
        p.drawLine(11, 8, 9, 6);
        p.drawLine(11, 8, 9, 10);
        break;
    case Glyph::FirstPage:
        p.fillRect(3, 3, 2, 10, Accent);
        Triangle(p, 6, true);
        break;
    case Glyph::PreviousPage:
        Triangle(p, 5, true);
        break;
    case Glyph::NextPage:
        Triangle(p, 11, false);
        break;
    case Glyph::LastPage:
        Triangle(p, 10, false);
        p.fillRect(11, 3, 2, 10, Accent);
        break;
    case Glyph::PrinterSetup:
        Printer(p);
        p.setPen(QPen(QColor(120, 80, 20), 2));
        p.drawLine(9, 14, 14, 9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 80, 20));
        p.drawEllipse(QPointF(14, 9), 1.8, 1.8);
        break;
    case Glyph::Print:
        Printer(p);
        break;
    case Glyph::Save:
        p.setPen(Ink);
        p.setBrush(Accent);
        p.drawRect(1, 1, 13, 13);
        p.setBrush(Paper);
        p.drawRect(4, 1, 7, 5);
        p.fillRect(8, 2, 2, 3, Ink);
        p.drawRect(3, 9, 9, 5);
        break;
    case Glyph::Load: {
        p.setPen(Ink);
        p.setBrush(QColor(230, 190, 80));
        p.drawRect(1, 4, 11, 9);
        p.fillRect(2, 3, 4, 1, QColor(230, 190, 80));
        QPainterPath lid;
        lid.moveTo(3, 7);
        lid.lineTo(15, 7);
        lid.lineTo(12, 13);
        lid.lineTo(1, 13);
        lid.closeSubpath();
        p.setBrush(QColor(250, 215, 120));
        p.drawPath(lid);
        break;
    }
    }
}

} // namespace

namespace PreviewGlyphs {

QIcon Icon(Glyph glyph)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, glyph == Glyph::PrinterSetup || glyph == Glyph::Load);
    Draw(painter, glyph);
    painter.end();
    return QIcon(pixmap);
}

} // namespace PreviewGlyphs
