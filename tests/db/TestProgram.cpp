#include "TestProgram.h"

#include "Unit1.h"
#include "Unit2.h"

TestProgram::TestProgram()
{
    Form1 = new TForm1;
    Data = new TData;
}

TestProgram::~TestProgram()
{
    delete Data;
    Data = nullptr;
    delete Form1;
    Form1 = nullptr;
}

QWidget* TestProgram::Window() const
{
    return Form1;
}

Boxes::Boxes(const QString& button) : m_answer([button](QWidget* box) { ModalAnswer::Press(box, button); }) {}

QStringList Boxes::Texts() const
{
    QStringList texts;
    for (const QString& seen : m_answer.Seen())
        texts << seen.section(QLatin1Char('|'), 1);
    return texts;
}
