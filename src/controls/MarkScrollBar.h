#pragma once

#include <QScrollBar>

#include <functional>
#include <vector>

// A scroll bar that draws a tick across its groove for each place it is given, so that a reader sees
// where marked text lies outside the visible part. A place is a fraction of the whole length, 0 at the
// start; the places are asked for at each paint, so they follow a new layout of the text.
class MarkScrollBar : public QScrollBar
{
    Q_OBJECT

public:
    explicit MarkScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    using Places = std::function<std::vector<double>()>;
    void SetPlaces(Places places);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Places m_places;
};
