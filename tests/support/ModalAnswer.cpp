#include "ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

class ModalAnswer::Watcher : public QObject
{
public:
    Watcher(ModalAnswer* owner, std::function<void(QWidget*)> answer)
        : m_owner(owner), m_answer(std::move(answer))
    {
        connect(&m_timer, &QTimer::timeout, this, &Watcher::Look);
        m_timer.start(20);
    }

private:
    void Look()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == m_last)
            return;
        m_last = modal;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            m_owner->m_seen.append(box->windowTitle() + QLatin1Char('|') + box->text());
        m_answer(modal);
    }

    ModalAnswer* m_owner;
    std::function<void(QWidget*)> m_answer;
    QTimer m_timer;
    QPointer<QWidget> m_last;
};

ModalAnswer::ModalAnswer(std::function<void(QWidget*)> answer)
    : m_watcher(new Watcher(this, std::move(answer)))
{}

ModalAnswer::~ModalAnswer()
{
    delete m_watcher;
}

void ModalAnswer::Press(QWidget* modal, const QString& buttonText)
{
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        for (QAbstractButton* button : box->buttons()) {
            if (button->text().remove(QLatin1Char('&')) == buttonText) {
                button->click();
                return;
            }
        }
    }
    modal->close();
}
