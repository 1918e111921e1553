#include "Confirmation.h"

bool Confirmed(QWidget* parent, const QString& question, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), question,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}
