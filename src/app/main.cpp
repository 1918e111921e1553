#include "FailureBox.h"
#include "TApplication.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    try {
        Application->Initialize();
        Application->CreateForm(Form1);
        Application->CreateForm(Data);
        Application->CreateForm(Form3);
        return Application->Run();
    } catch (...) {
        ShowFailureBoxForCurrentException();
        return 1;
    }
}
