#include "FileFault.h"
#include "TestDatabase.h"
#include "TestProgram.h"

#include "TADOConnection.h"
#include "TADOTable.h"
#include "TApplication.h"
#include "TDBGrid.h"
#include "TDBMemo.h"
#include "TDataSource.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <cstdio>

#include <sqlite3.h>

namespace {

// The browse view of a shown main window, with its answer memo and list.
struct BrowseView
{
    BrowseView()
    {
        program.Window()->show();
        program.Window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program.Window()));
        grid = program.Control<TDBGrid>("DBGrid2");
        answer = program.Control<TDBMemo>("DBMemo2");
    }
    TADOTable& Browse() const { return *Data->ADOaall; }
    void ClickRow(int visibleRow) const
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(visibleRow).center());
    }

    TestProgram program;
    TDBGrid* grid = nullptr;
    TDBMemo* answer = nullptr;
};

// Types a change long enough to need new pages of the file at the end of the memo; gives what was added.
QString TypeLongChange(TDBMemo* memo)
{
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    const QString typed = QStringLiteral(" mine") + QString(20000, QChar(0x0646));
    QTest::keyClicks(memo, typed.left(5));
    memo->insertPlainText(typed.mid(5));
    return typed;
}

// Asks the main window to close: by its close picture, or as the window system does.
void RequestClose(bool windowSystem)
{
    if (windowSystem) {
        Form1->windowHandle()->close();
        return;
    }
    auto* picture = Form1->findChild<QWidget*>(QStringLiteral("Image3"));
    QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
}

// Runs the program as its entry does, in the given folder. Once a change is typed, the fault is made,
// the window system asks the window to close, and every box is answered with OK; the boxes seen are
// printed, one a line.
int CloseWithFault(const QString& folder, Fault fault)
{
    QDir::setCurrent(folder);
    Application->CreateForm(Form1);
    Application->CreateForm(Data);
    Application->CreateForm(Form3);
    ModalAnswer answer([](QWidget* box) { ModalAnswer::Press(box, QStringLiteral("OK")); });
    std::unique_ptr<FileFault> made;
    QTimer::singleShot(0, [&] {
        TypeLongChange(Form1->findChild<TDBMemo*>(QStringLiteral("DBMemo2")));
        made = std::make_unique<FileFault>(fault, QDir(folder).filePath(QStringLiteral("dorvanel.mdb")), 1);
        RequestClose(true);
    });
    const int code = Application->Run();
    for (const QString& seen : answer.Seen())
        std::printf("%s\n", seen.toUtf8().constData());
    return code;
}

// Posts one changed version of every answer after another, for ever: the child that is killed.
int PostBurst(const QString& folder)
{
    QDir::setCurrent(folder);
    TestProgram program;
    TADOTable& browse = *Data->ADOaall;
    const QString padding(3000, QLatin1Char('x'));
    for (int version = 1;; ++version) {
        for (browse.First(); !browse.Eof(); browse.Next()) {
            browse.Edit();
            TField* answer = browse.FieldByName(QStringLiteral("pasokh"));
            const QString original = answer->AsString().section(QLatin1Char(' '), 0, 0);
            answer->setAsString(QStringLiteral("%1 v%2 %3").arg(original).arg(version).arg(padding));
            browse.Post();
        }
    }
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void failedPostKeepsTheTypedText_data();
    void failedPostKeepsTheTypedText();
    void fullFileSystem();
    void closingWithAChangeThatCannotBeSaved_data();
    void closingWithAChangeThatCannotBeSaved();
    void closingWithoutTheChangeEndsWithCodeZero_data();
    void closingWithoutTheChangeEndsWithCodeZero();
    void deletingANewEntryKeepsTheOthers();
    void killedDuringABurstOfPosts();
};

void TestFaults::failedPostKeepsTheTypedText_data()
{
    QTest::addColumn<Fault>("fault");
    for (const Fault fault : AllFaults)
        QTest::newRow(qPrintable(FaultName(fault))) << fault;
}

void TestFaults::failedPostKeepsTheTypedText()
{
    QFETCH(Fault, fault);
    TestDatabase file(TestDatabase::Collection(5, 50));
    BrowseView view;
    // Another entry saved before the fault stays saved through it.
    view.answer->setFocus();
    QTest::keyClicks(view.answer, QStringLiteral("saved "));
    view.ClickRow(1);
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")),
             QStringLiteral("saved a1"));

    const QString typed = TypeLongChange(view.answer);
    const QString path = file.Path();
    FileFault made(fault, path, 2);

    Boxes boxes;
    view.ClickRow(3);
    QCOMPARE(boxes.Texts().size(), 1);
    const QString shown = boxes.Texts().first();
    QVERIFY2(shown.contains(FaultMessage(fault)), qPrintable(shown));
    // A Persian sentence naming the file by its name, kept left to right, not by its long path.
    QVERIFY2(shown.isRightToLeft(), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("\u200Edorvanel.mdb\u200E")), qPrintable(shown));
    QVERIFY2(!shown.contains(file.Folder()), qPrintable(shown));
    // The reader's text is where it was typed, and the entry is still being edited.
    QCOMPARE(view.answer->toPlainText(), QStringLiteral("a2") + typed);
    QCOMPARE(view.Browse().State(), TDataSetState::dsEdit);
    QCOMPARE(view.Browse().RecNo(), 2);

    made.Mend();
    if (QFile::exists(path)) {
        QCOMPARE(file.Value(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")),
                 QStringLiteral("saved a1"));
        QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 5")), QStringLiteral("a5"));
    }
    if (!made.Mendable())
        return;
    view.ClickRow(3);
    QCOMPARE(boxes.Texts().size(), 1);
    QCOMPARE(view.Browse().State(), TDataSetState::dsBrowse);
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 2")),
             QStringLiteral("a2") + typed);
}

void TestFaults::fullFileSystem()
{
    // A real small disk: a 2 MiB memory file system holding the file, filled up by another program.
    TestDatabase source(TestDatabase::Collection(5, 50));
    QTemporaryDir mountPoint;
    if (QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=2m"), QStringLiteral("tmpfs"), mountPoint.path()}) != 0)
        QSKIP("no small file system can be mounted here; the disk-full case above limits the file instead");
    // Leaves the file system and unmounts it however the test ends.
    struct Unmount
    {
        QString back, point;
        ~Unmount()
        {
            QDir::setCurrent(back);
            QProcess::execute(QStringLiteral("umount"), {point});
        }
    } unmount{source.Folder(), mountPoint.path()};
    const QString path = QDir(mountPoint.path()).filePath(QStringLiteral("dorvanel.mdb"));
    QVERIFY(QFile::copy(source.Path(), path));
    QDir::setCurrent(mountPoint.path());
    const QString filler = QDir(mountPoint.path()).filePath(QStringLiteral("filler"));
    {
        BrowseView view;
        QFile fill(filler);
        QVERIFY(fill.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (fill.write(block) == block.size() && fill.flush()) {
        }
        fill.close();
        view.answer->setFocus();
        QTest::keyClick(view.answer, Qt::Key_End, Qt::ControlModifier);
        const QString typed = QStringLiteral("!") + QString(100000, QChar(0x0646));
        QTest::keyClicks(view.answer, typed.left(1));
        view.answer->insertPlainText(typed.mid(1));
        Boxes boxes;
        view.ClickRow(2);
        QCOMPARE(boxes.Texts().size(), 1);
        QCOMPARE(boxes.Texts().first(), QStringLiteral("دیسکی که پرونده \u200Edorvanel.mdb\u200E روی "
                                                       "آن است پر است و تغییر ذخیره نشد. جایی روی "
                                                       "دیسک خالی کنید و دوباره بکوشید."));
        QCOMPARE(view.Browse().State(), TDataSetState::dsEdit);
        QCOMPARE(view.answer->toPlainText(), QStringLiteral("a1") + typed);
        QVERIFY(QFile::remove(filler));
        view.ClickRow(2);
        QCOMPARE(boxes.Texts().size(), 1);
        QCOMPARE(view.Browse().RecNo(), 3);
    }
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT length(pasokh) FROM Table1 WHERE id = 1", -1, &statement, nullptr);
    QCOMPARE(sqlite3_step(statement), SQLITE_ROW);
    const int length = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    QCOMPARE(length, 100003);
}

void TestFaults::closingWithAChangeThatCannotBeSaved_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("windowSystem");
    for (const Fault fault : AllFaults) {
        QTest::addRow("%s, close picture", qPrintable(FaultName(fault))) << fault << false;
        QTest::addRow("%s, window system", qPrintable(FaultName(fault))) << fault << true;
    }
}

void TestFaults::closingWithAChangeThatCannotBeSaved()
{
    QFETCH(Fault, fault);
    QFETCH(bool, windowSystem);
    TestDatabase file(TestDatabase::Collection(5, 50));
    auto view = std::make_unique<BrowseView>();
    const QString typed = TypeLongChange(view->answer);
    FileFault made(fault, file.Path(), 1);

    {
        // The error box, then the question, whose default is Cancel; Escape answers Cancel.
        QStringList defaults;
        ModalAnswer cancel([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box == nullptr || box->windowTitle() != QLatin1String("Confirm")) {
                ModalAnswer::Press(modal, QStringLiteral("OK"));
                return;
            }
            defaults << box->defaultButton()->text().remove(QLatin1Char('&'));
            QTest::keyClick(box, Qt::Key_Escape);
        });
        RequestClose(windowSystem);
        QCOMPARE(cancel.Seen().size(), 2);
        QVERIFY2(cancel.Seen().at(0).startsWith(Application->Title() + QLatin1Char('|')),
                 qPrintable(cancel.Seen().at(0)));
        QVERIFY2(cancel.Seen().at(0).contains(FaultMessage(fault)), qPrintable(cancel.Seen().at(0)));
        QCOMPARE(cancel.Seen().at(1), QStringLiteral("Confirm|") + CloseWithoutChangeQuestion);
        QCOMPARE(defaults, QStringList{QStringLiteral("Cancel")});
    }
    // Back in the window, with the typed text in place and the entry still being edited.
    QVERIFY(view->program.Window()->isVisible());
    QCOMPARE(view->answer->toPlainText(), QStringLiteral("a1") + typed);
    QCOMPARE(view->Browse().State(), TDataSetState::dsEdit);

    // OK closes the window without the change.
    Boxes ok;
    RequestClose(windowSystem);
    QCOMPARE(ok.Texts().size(), 2);
    QVERIFY(!view->program.Window()->isVisible());
    QCOMPARE(view->Browse().State(), TDataSetState::dsBrowse);
    made.Mend();
    view.reset();
    QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
    QCOMPARE(file.Value(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    QCOMPARE(file.Value(QStringLiteral("SELECT count(*) FROM Table1 WHERE pasokh LIKE '%mine%'")),
             QStringLiteral("0"));
}

void TestFaults::closingWithoutTheChangeEndsWithCodeZero_data()
{
    QTest::addColumn<Fault>("fault");
    for (const Fault fault : AllFaults)
        QTest::newRow(qPrintable(FaultName(fault))) << fault;
}

void TestFaults::closingWithoutTheChangeEndsWithCodeZero()
{
    QFETCH(Fault, fault);
    TestDatabase file(TestDatabase::Collection(5, 50));
    QProcess program;
    program.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--close-with-fault"), file.Folder(), QString::number(int(fault))});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QStringList seen =
        QString::fromUtf8(program.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(seen.size(), 2);
    QVERIFY2(seen.at(0).contains(FaultMessage(fault)), qPrintable(seen.at(0)));
    QCOMPARE(seen.at(1), QStringLiteral("Confirm|") + CloseWithoutChangeQuestion);
    QCOMPARE(file.Value(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    QCOMPARE(file.Value(QStringLiteral("SELECT count(*) FROM Table1 WHERE pasokh LIKE '%mine%'")),
             QStringLiteral("0"));
}

void TestFaults::deletingANewEntryKeepsTheOthers()
{
    // The confirmation box takes the focus from the list: that is not the reader leaving the list,
    // and the entry the box asked about is the one deleted (here: the new one, dropped).
    TestDatabase file(TestDatabase::Collection(3, 50));
    BrowseView view;
    view.grid->setFocus();
    QTest::keyClick(view.grid, Qt::Key_End);
    QTest::keyClick(view.grid, Qt::Key_Down);
    QCOMPARE(view.Browse().State(), TDataSetState::dsInsert);
    Boxes boxes;
    QTest::keyClick(view.grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Delete record?")});
    QCOMPARE(file.Value(QStringLiteral("SELECT group_concat(id) FROM Table1")), QStringLiteral("1,2,3"));
    QCOMPARE(view.Browse().RecordCount(), 3);
    QCOMPARE(view.Browse().State(), TDataSetState::dsBrowse);
}

void TestFaults::killedDuringABurstOfPosts()
{
    TestDatabase file(TestDatabase::Collection(40, 50));
    const QRegularExpression oldOrNew(QStringLiteral("^a(\\d+)( v\\d+ x{3000})?$"));
    for (int round = 0; round < 4; ++round) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--post-burst"), file.Folder()});
        QVERIFY(child.waitForStarted());
        QTest::qWait(300 + int(QRandomGenerator::global()->bounded(400)));
        QCOMPARE(child.state(), QProcess::Running);
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(file.Value(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        QCOMPARE(file.Value(QStringLiteral("SELECT count(*) FROM Table1")), QStringLiteral("40"));
        for (int id = 1; id <= 40; ++id) {
            const QString answer =
                file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = %1").arg(id))
                    .value_or(QString());
            const QRegularExpressionMatch match = oldOrNew.match(answer);
            QVERIFY2(match.hasMatch() && match.captured(1).toInt() == id, qPrintable(answer.left(60)));
        }
    }
    // Some versions were written before the kills.
    QVERIFY(file.Value(QStringLiteral("SELECT count(*) FROM Table1 WHERE pasokh LIKE '% v%'"))->toInt() > 0);
}

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Application->Initialize();
    if (argc == 3 && qstrcmp(argv[1], "--post-burst") == 0)
        return PostBurst(QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && qstrcmp(argv[1], "--close-with-fault") == 0)
        return CloseWithFault(QString::fromLocal8Bit(argv[2]), Fault(QByteArray(argv[3]).toInt()));
    TestFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestFaults.moc"
