#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The "Printing progress" window shown while a report is laid out onto a printer.
class TQRProgress : public QDialog
{
    Q_OBJECT

public:
    explicit TQRProgress(QWidget* parent = nullptr);

    // After each entry: multiples of 5 move the bar and the text.
    void SetProgress(int percent);

    QProgressBar* Bar() const { return m_bar; }
    QLabel* Text() const { return m_text; }
    QPushButton* CancelButton() const { return m_cancel; }

signals:
    void CancelRequested();

private:
    QProgressBar* m_bar;
    QLabel* m_text;
    QPushButton* m_cancel;
};
