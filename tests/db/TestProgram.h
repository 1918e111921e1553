#pragma once

#include "ModalAnswer.h"

#include <QObject>
#include <QStringList>
#include <QWidget>

// The main window, the data module and the report holder, made in the order of the program's start and
// destroyed in the reverse order. Needs the application object.
class TestProgram
{
public:
    TestProgram();
    ~TestProgram();
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    template <class T>
    T* Control(const char* name) const
    {
        return Window()->findChild<T*>(QString::fromLatin1(name));
    }
    QWidget* Window() const;
};

// Answers every message box with one button and keeps the texts seen.
class Boxes
{
public:
    explicit Boxes(const QString& button = QStringLiteral("OK"));
    QStringList Texts() const;

private:
    ModalAnswer m_answer;
};
