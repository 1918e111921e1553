#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Answers modal windows from a test. A repeating timer looks for the active modal widget until it
// finds one, so a box that appears late cannot hang the test.
class ModalAnswer
{
public:
    // Each modal window that appears while this object lives is handed to answer(), in turn.
    explicit ModalAnswer(std::function<void(QWidget*)> answer);
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    // Message boxes seen so far, as "caption|text".
    const QStringList& Seen() const { return m_seen; }

    // Presses the message box button with this text ("OK", "Cancel").
    static void Press(QWidget* modal, const QString& buttonText);

private:
    class Watcher;
    Watcher* m_watcher;
    QStringList m_seen;
};
