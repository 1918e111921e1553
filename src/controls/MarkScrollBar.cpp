#include "MarkScrollBar.h"

#include <QPainter>
#include <QStyleOptionSlider>

namespace {

// Ticks in an amber that reads on the light grey of the memos and on the slider.
const QColor TickColor(214, 138, 0);
constexpr int TickHeight = 2;

} // namespace

MarkScrollBar::MarkScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent)
{}

void MarkScrollBar::SetPlaces(Places places)
{
    m_places = std::move(places);
    update();
}

void MarkScrollBar::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    if (!m_places)
        return;
    const std::vector<double> places = m_places();
    if (places.empty())
        return;
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, this);
    QPainter painter(this);
    for (const double place : places) {
        const int y = groove.top() + int(place * (groove.height() - TickHeight));
        painter.fillRect(QRect(groove.left() + 1, y, groove.width() - 2, TickHeight), TickColor);
    }
}
