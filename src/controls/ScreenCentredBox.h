#pragma once

#include <QMessageBox>

// A message box shown at the centre of its screen. Qt places a box without a parent before the box
// sizes itself to its text, so its centre would land off the screen's.
class ScreenCentredBox : public QMessageBox
{
    Q_OBJECT

public:
    ScreenCentredBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons);

protected:
    void showEvent(QShowEvent* event) override;
};
