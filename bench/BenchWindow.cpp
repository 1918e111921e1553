#include "BenchWindow.h"

#include <QApplication>
#include <QKeyEvent>

BenchWindow::BenchWindow(const QString& path) : browse(path)
{
    source.setDataSet(&browse.table);
    window.setLayoutDirection(Qt::RightToLeft);
    window.resize(900, 680);
}

void SendKey(QWidget* target, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}
