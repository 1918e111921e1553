#include "TGroupBox.h"

#include <QPainter>
#include <qdrawutil.h>

TGroupBox::TGroupBox(QWidget* parent) : QGroupBox(parent) {}

void TGroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int top = fontMetrics().height() / 2 - 1;
    qDrawShadeRect(&painter, QRect(0, top, width(), height() - top), palette(), true, 1, 0);
}
