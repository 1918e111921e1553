#include "TPanel.h"

TPanel::TPanel(QWidget* parent) : QFrame(parent)
{
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}
