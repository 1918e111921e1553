#include "Skin.h"

#include "Ornament.h"
#include "Palette.h"
#include "SkinColumn.h"
#include "SkinContent.h"
#include "SkinHeader.h"
#include "SkinLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace SkinLayout;

namespace Skin {

namespace {

void paintGround(QPainter& painter)
{
    QLinearGradient ground(0, HeaderBottom, 0, Frame.bottom());
    ground.setColorAt(0, Palette::GroundTop);
    ground.setColorAt(1, Palette::GroundBottom);
    painter.fillRect(Frame, ground);
}

QPainterPath framePath()
{
    QPainterPath path;
    path.addRoundedRect(Frame, 16, 16);
    return path;
}

} // namespace

QImage paint()
{
    QImage skin(Width, Height, QImage::Format_RGB32);
    skin.fill(Palette::Sky);
    QPainter painter(&skin);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(-Left, 0);

    const QPainterPath frame = framePath();
    painter.save();
    painter.setClipPath(frame);
    paintGround(painter);
    SkinHeader::paintBand(painter);
    SkinHeader::paintTitle(painter);
    SkinHeader::paintPublisherMark(painter);
    SkinContent::paintTitleBand(painter);
    SkinContent::paintPanels(painter);
    Ornament::interlaceStrip(
        painter,
        QRectF(StripLeft, HeaderBottom + 2, ColumnLeft - StripLeft, Frame.bottom() - HeaderBottom - 2), 84);
    SkinColumn::paintColumn(painter);
    SkinColumn::paintEdgeBand(painter);
    painter.restore();

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 150), 1));
    painter.drawRoundedRect(Frame.adjusted(1.5, 1.5, -1.5, -1.5), 14.5, 14.5);
    painter.setPen(QPen(Palette::FrameOutline, 1.3));
    painter.drawPath(frame);
    return skin;
}

QImage cut(const QImage& skin, const QRect& windowRect)
{
    return skin.copy(windowRect.translated(-Left, 0));
}

} // namespace Skin
