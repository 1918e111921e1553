// The whole main window over a million entries: start-up, the list's End key, a search through every
// answer, and saving a typed change, with the memory the program then holds. The window must stay
// usable at this size; the figures show how far from instant it is.
#include "BenchSupport.h"

#include "TADOQuery.h"
#include "TApplication.h"
#include "TDBGrid.h"
#include "TDBMemo.h"
#include "Unit1.h"
#include "Unit2.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Entries = 1000000;
constexpr int EntryBytes = 256;

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    Application->Initialize();
    QTemporaryDir folder;
    // The program changes the file: it works on a copy of the cached collection.
    QFile::copy(CachedCollection(Entries, EntryBytes), folder.filePath(QStringLiteral("dorvanel.mdb")));
    QDir::setCurrent(folder.path());

    Report(QStringLiteral("million start-up"),
           MedianMs(1,
                    [] {
                        Form1 = new TForm1;
                        Data = new TData;
                    }),
           QStringLiteral("ms"), QStringLiteral("at most 15000"));
    Form1->show();
    Form1->activateWindow();
    if (!QTest::qWaitForWindowActive(Form1))
        return 1;
    auto* grid = Form1->findChild<TDBGrid*>(QStringLiteral("DBGrid2"));
    grid->setFocus();
    Report(QStringLiteral("million list End"),
           MedianMs(3,
                    [grid] {
                        QTest::keyClick(grid, Qt::Key_End);
                        QTest::keyClick(grid, Qt::Key_Home);
                    }),
           QStringLiteral("ms"), QStringLiteral("at most 100"));
    auto* answer = Form1->findChild<TDBMemo*>(QStringLiteral("DBMemo2"));
    Report(QStringLiteral("million typed change saved"),
           MedianMs(3,
                    [grid, answer] {
                        answer->setFocus();
                        QTest::keyClicks(answer, QStringLiteral("x"));
                        grid->setFocus();
                        QTest::keyClick(grid, Qt::Key_Down);
                    }),
           QStringLiteral("ms"), QStringLiteral("at most 100"));
    Form1->findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->click();
    auto* search = Form1->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    Form1->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("ا"));
    Report(QStringLiteral("million search finding most entries"), MedianMs(1, [search] { search->click(); }),
           QStringLiteral("ms"), QStringLiteral("at most 15000"));
    Report(QStringLiteral("million entries found"), double(Data->ADOQuery1->RecordCount()),
           QStringLiteral("entries"), QStringLiteral("more than 0"));
    Report(QStringLiteral("million peak memory"), double(PeakResidentBytes()) / 1048576.0,
           QStringLiteral("MiB"), QStringLiteral("at most 2048"));
    delete Data;
    delete Form1;
    return 0;
}
