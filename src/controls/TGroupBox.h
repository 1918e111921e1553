#pragma once

#include <QGroupBox>

// A group box without a caption: its colour fills it to its edges, inside an etched frame whose top
// stands half a line of its font below its top edge. The style's own group frame would shade the
// inside, so that the controls in the group, filled with the group's colour, would stand out.
class TGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit TGroupBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
