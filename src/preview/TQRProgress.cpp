#include "TQRProgress.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

TQRProgress::TQRProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_bar(new QProgressBar(this)), m_text(new QLabel(this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("QRProgressForm"));
    setWindowTitle(QStringLiteral("Printing progress"));
    setLayoutDirection(Qt::LeftToRight);
    setFixedSize(149, 97);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setGeometry(16, 18, 114, 16);
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_cancel->setGeometry(36, 60, 75, 25);
    // The line takes the room down to the button, so that the foot of its letters is not cut off.
    m_text->setGeometry(0, 44, 145, m_cancel->geometry().top() - 44);
    connect(m_cancel, &QPushButton::clicked, this, &TQRProgress::CancelRequested);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TQRProgress::SetProgress(int percent)
{
    if (percent % 5 != 0)
        return;
    m_bar->setValue(std::clamp(percent, 0, 100));
    m_text->setText(QString::number(percent) + QStringLiteral("%  Completed"));
}
