// Starts like the reader, but its first form cannot be built. The box that follows is read and
// closed by a timer, which prints its caption and text for the test that runs this program.
#include "FailureBox.h"
#include "ModalAnswer.h"
#include "TApplication.h"

#include <QMessageBox>

#include <cstdio>

class BrokenForm : public QWidget
{
public:
    BrokenForm() { throw EOleException(QStringLiteral("Cannot build the form")); }
};

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    ModalAnswer answer([](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            std::printf("%s\n%s", qPrintable(box->windowTitle()), box->text().toUtf8().constData());
            std::fflush(stdout);
        }
        ModalAnswer::Press(modal, QStringLiteral("OK"));
    });
    BrokenForm* form = reinterpret_cast<BrokenForm*>(1);
    try {
        Application->Initialize();
        Application->CreateForm(form);
        return Application->Run();
    } catch (...) {
        ShowFailureBoxForCurrentException();
        return form == nullptr ? 1 : 2;
    }
}
