#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The one question box of the program: caption "Confirm", the question icon, the buttons "OK" and
// "Cancel" with Escape meaning "Cancel". Gives true when the reader chose "OK".
bool Confirmed(QWidget* parent, const QString& question, QMessageBox::StandardButton defaultButton);
