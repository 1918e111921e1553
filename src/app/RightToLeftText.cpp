#include "RightToLeftText.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

namespace RightToLeftText {

void Draw(QPainter& painter, const QRectF& rect, int flags, const QString& text)
{
    const Qt::LayoutDirection direction = painter.layoutDirection();
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.drawText(rect, flags, text);
    painter.setLayoutDirection(direction);
}

void ReadRightToLeft(QLineEdit& edit)
{
    edit.setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    QKeyEvent direction(QEvent::KeyPress, Qt::Key_Direction_R, Qt::NoModifier);
    QCoreApplication::sendEvent(&edit, &direction);
}

} // namespace RightToLeftText
