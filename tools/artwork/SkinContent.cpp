#include "SkinContent.h"

#include "Ornament.h"
#include "Palette.h"
#include "SkinLayout.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

using namespace SkinLayout;

namespace SkinContent {

void paintTitleBand(QPainter& painter)
{
    const QRectF band(27.5, 166.5, 554, 20);
    QLinearGradient light(band.topLeft(), band.bottomLeft());
    light.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    light.setColorAt(1, QColor(0xDD, 0xF3, 0xFC));
    painter.setPen(QPen(QColor(0x7C, 0xC0, 0xDD), 1));
    painter.setBrush(light);
    painter.drawRoundedRect(band, 6, 6);
    painter.setPen(QPen(Palette::Ink, 0.7));
    painter.setBrush(Palette::GoldLight);
    painter.drawPath(Ornament::khatam(QPointF(39, band.center().y()), 5.5, 22.5));
}

namespace {

struct Panel
{
    QRectF rect;
    QColor tab;
    QString word;
};

void paintPanel(QPainter& painter, const Panel& panel)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x40, 0x70, 0x90, 40));
    painter.drawRoundedRect(panel.rect.translated(1.5, 2), 9, 9);
    painter.setPen(QPen(Palette::PanelEdge, 1));
    painter.setBrush(Palette::PanelGrey);
    painter.drawRoundedRect(panel.rect, 9, 9);

    const QRectF tab(556.5, panel.rect.top() + 3, 20, panel.rect.height() - 6);
    QLinearGradient shade(tab.topLeft(), tab.topRight());
    shade.setColorAt(0, panel.tab.lighter(118));
    shade.setColorAt(1, panel.tab.darker(112));
    painter.setPen(QPen(panel.tab.darker(150), 1));
    painter.setBrush(shade);
    painter.drawRoundedRect(tab, 6, 6);

    // The word runs down the tab, its first letter at the top.
    const QFont word = font(QStringLiteral("Noto Naskh Arabic"), 14, true);
    const qreal length = QFontMetricsF(word).horizontalAdvance(panel.word) + 8;
    painter.save();
    painter.translate(tab.center().x(), tab.top() + 6 + length / 2);
    painter.rotate(-90);
    painter.setFont(word);
    const QRectF line(-length / 2, -tab.width() / 2, length, tab.width());
    painter.setPen(panel.tab.darker(220));
    painter.drawText(line.translated(0.8, 0.8), Qt::AlignCenter, panel.word);
    painter.setPen(QColor(0xFF, 0xFF, 0xFF));
    painter.drawText(line, Qt::AlignCenter, panel.word);
    painter.restore();

    const QPointF flower(tab.center().x(), tab.bottom() - 11);
    painter.setPen(QPen(panel.tab.darker(200), 0.7));
    painter.setBrush(QColor(0xFF, 0xFA, 0xE8));
    painter.drawPath(Ornament::rosette(flower, 7, 8, 22.5));
    painter.setBrush(panel.tab.darker(140));
    painter.drawEllipse(flower, 1.8, 1.8);
}

} // namespace

void paintPanels(QPainter& painter)
{
    const Panel panels[] = {
        {QRectF(28.5, 191.5, 551, 92), Palette::TabTan, QStringLiteral("پرسش")},
        {QRectF(28.5, 287.5, 551, 250), Palette::TabYellowGreen, QStringLiteral("پاسخ")},
        {QRectF(28.5, 542.5, 551, 94), Palette::TabGreen, QStringLiteral("منابع")},
    };
    for (const Panel& panel : panels)
        paintPanel(painter, panel);
}

} // namespace SkinContent
