#include "TestProgram.h"

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

TestProgram::TestProgram()
{
    Form1 = new TForm1;
    Data = new TData;
    Form3 = new TForm3;
}

TestProgram::~TestProgram()
{
    delete Form3;
    Form3 = nullptr;
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
