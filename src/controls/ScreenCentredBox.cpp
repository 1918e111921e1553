#include "ScreenCentredBox.h"

#include <QScreen>

ScreenCentredBox::ScreenCentredBox(Icon icon, const QString& title, const QString& text,
                                   StandardButtons buttons)
    : QMessageBox(icon, title, text, buttons)
{}

void ScreenCentredBox::showEvent(QShowEvent* event)
{
    QMessageBox::showEvent(event);
    if (const QScreen* shown = screen()) {
        const QRect frame = frameGeometry();
        const QPoint centre = shown->geometry().center();
        move(pos() + centre - frame.center());
    }
}
