#pragma once

#include "Exceptions.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <new>
#include <vector>

// The application object: it owns the top-level objects, gives the program its title and icon, runs
// the event loop and shows every exception that escapes an event handler.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    QString Title() const { return m_title; }
    QWidget* MainForm() const { return m_mainForm; }

    // Prepares the platform: faces with Persian letters in place of the declared Tahoma and Arial.
    void Initialize();

    // Creates a top-level object owned by the application. The reference is set before the object is
    // constructed, so code run by the constructor reaches it, and reset to null when construction throws.
    template <class T>
    void CreateForm(T*& reference);

    // Shows the main window centred and runs the event loop until Terminate.
    int Run();
    void Terminate();

    // The default handler for the exception being handled.
    void HandleException(QObject* sender);
    void ShowException(const Exception& error);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void Adopt(QObject* object);

    QString m_title;
    QPointer<QWidget> m_mainForm;
    std::vector<QObject*> m_components;
};

extern TApplication* Application;

template <class T>
void TApplication::CreateForm(T*& reference)
{
    void* memory = ::operator new(sizeof(T));
    reference = static_cast<T*>(memory);
    try {
        new (memory) T();
    } catch (...) {
        reference = nullptr;
        ::operator delete(memory);
        throw;
    }
    Adopt(reference);
}
