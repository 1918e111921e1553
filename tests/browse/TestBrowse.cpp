#include "TestDatabase.h"
#include "TestProgram.h"

#include "TADOTable.h"
#include "TApplication.h"
#include "TDBGrid.h"
#include "TDBMemo.h"
#include "TDBText.h"
#include "TDataSource.h"
#include "Unit2.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

namespace {

// The browse view of a shown main window.
struct BrowseView
{
    BrowseView()
    {
        program.Window()->show();
        QVERIFY(QTest::qWaitForWindowExposed(program.Window()));
        grid = program.Control<TDBGrid>("DBGrid2");
        answer = program.Control<TDBMemo>("DBMemo2");
        title = program.Control<TDBText>("DBText1");
    }
    TADOTable& Browse() const { return *Data->ADOaall; }
    void ClickRow(int visibleRow) const
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(visibleRow).center());
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }

    TestProgram program;
    TDBGrid* grid = nullptr;
    TDBMemo* answer = nullptr;
    TDBText* title = nullptr;
};

} // namespace

class TestBrowse : public QObject
{
    Q_OBJECT

private slots:
    void controlsFollowTheList();
    void typedAnswerIsWrittenWhenAnotherEntryIsClicked();
    void escapeBeforeLeavingWritesNothing();
    void typingIntoAnEmptyCollectionCreatesAnEntry();
    void downOnTheLastEntryAppendsAndUpDropsIt();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void tabStaysInTheList();
    void titleEditedInTheListIsWritten();
    void failedPostKeepsTheTypedTextAndTheList();
    void closedDataSetShowsEmptyControls();
    void changesSurviveARestart();
};

void TestBrowse::controlsFollowTheList()
{
    TestDatabase file(TestDatabase::Collection(40, 50));
    BrowseView view;
    QCOMPARE(view.title->Text(), QStringLiteral("t1"));
    view.grid->setFocus();
    view.Key(Qt::Key_Down);
    QCOMPARE(view.title->Text(), QStringLiteral("t2"));
    QCOMPARE(view.answer->toPlainText(), QStringLiteral("a2"));
    view.Key(Qt::Key_End);
    QCOMPARE(view.Browse().RecNo(), 40);
    QCOMPARE(view.program.Control<TDBMemo>("DBMemo3")->toPlainText(), QStringLiteral("s40"));
    view.Key(Qt::Key_PageUp);
    QCOMPARE(view.Browse().RecNo(), 40 - view.grid->VisibleRowCount());
    view.Key(Qt::Key_Home);
    view.ClickRow(3);
    QCOMPARE(view.Browse().RecNo(), 4);
    QCOMPARE(view.program.Control<TDBMemo>("DBMemo1")->toPlainText(), QStringLiteral("q4"));
}

void TestBrowse::typedAnswerIsWrittenWhenAnotherEntryIsClicked()
{
    TestDatabase file(TestDatabase::Collection(5, 50));
    BrowseView view;
    view.answer->setFocus();
    QVERIFY(view.answer->isReadOnly());
    QTest::keyClicks(view.answer, QStringLiteral("x"));
    QCOMPARE(view.Browse().State(), TDataSetState::dsEdit);
    QVERIFY(!view.answer->isReadOnly());
    view.ClickRow(2);
    QCOMPARE(view.Browse().RecNo(), 3);
    QCOMPARE(view.Browse().State(), TDataSetState::dsBrowse);
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")), QStringLiteral("xa1"));
    QVERIFY(view.answer->isReadOnly());
}

void TestBrowse::escapeBeforeLeavingWritesNothing()
{
    TestDatabase file(TestDatabase::Collection(5, 50));
    BrowseView view;
    view.answer->setFocus();
    QTest::keyClicks(view.answer, QStringLiteral("typed"));
    QTest::keyClick(view.answer, Qt::Key_Escape);
    QCOMPARE(view.answer->toPlainText(), QStringLiteral("a1"));
    // Another program's change to the answer would make any write fail: none happens.
    file.Execute(QStringLiteral("UPDATE Table1 SET pasokh = 'elsewhere' WHERE id = 1"));
    Boxes boxes;
    view.ClickRow(1);
    QCOMPARE(boxes.Texts(), QStringList());
    QCOMPARE(view.Browse().RecNo(), 2);
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")),
             QStringLiteral("elsewhere"));
}

void TestBrowse::typingIntoAnEmptyCollectionCreatesAnEntry()
{
    TestDatabase file(TestDatabase::Collection(0, 50));
    BrowseView view;
    QCOMPARE(view.title->Text(), QString());
    view.answer->setFocus();
    QTest::keyClicks(view.answer, QStringLiteral("new answer"));
    QCOMPARE(view.Browse().State(), TDataSetState::dsInsert);
    view.grid->setFocus();
    view.Key(Qt::Key_Up);
    QCOMPARE(view.Browse().State(), TDataSetState::dsBrowse);
    QCOMPARE(file.Value(QStringLiteral("SELECT count(*) FROM Table1")), QStringLiteral("1"));
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1")), QStringLiteral("new answer"));
    QCOMPARE(view.Browse().RecordCount(), 1);
}

void TestBrowse::downOnTheLastEntryAppendsAndUpDropsIt()
{
    TestDatabase file(TestDatabase::Collection(3, 50));
    BrowseView view;
    view.grid->setFocus();
    view.Key(Qt::Key_End);
    view.Key(Qt::Key_Down);
    QCOMPARE(view.Browse().State(), TDataSetState::dsInsert);
    QCOMPARE(view.Browse().RowCount(), 4);
    QCOMPARE(view.title->Text(), QString());
    view.Key(Qt::Key_Down);
    QCOMPARE(view.Browse().RowCount(), 4);
    view.Key(Qt::Key_Up);
    QCOMPARE(view.Browse().State(), TDataSetState::dsBrowse);
    QCOMPARE(view.Browse().RowCount(), 3);
    QCOMPARE(view.Browse().RecNo(), 3);
    QCOMPARE(file.Value(QStringLiteral("SELECT count(*) FROM Table1")), QStringLiteral("3"));

    // Leaving the list also drops an unchanged new entry.
    view.Key(Qt::Key_Down);
    QCOMPARE(view.Browse().RowCount(), 4);
    view.answer->setFocus();
    QCOMPARE(view.Browse().State(), TDataSetState::dsBrowse);
    QCOMPARE(view.Browse().RowCount(), 3);
}

void TestBrowse::deleteAsksFirst_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("remaining");
    QTest::newRow("cancel keeps the entry") << "Cancel" << 3;
    QTest::newRow("OK deletes it") << "OK" << 2;
}

void TestBrowse::deleteAsksFirst()
{
    QFETCH(QString, button);
    QFETCH(int, remaining);
    TestDatabase file(TestDatabase::Collection(3, 50));
    BrowseView view;
    view.grid->setFocus();
    view.Key(Qt::Key_Down);
    Boxes boxes(button);
    view.Key(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(boxes.Texts(), QStringList({"Delete record?"}));
    QCOMPARE(file.Value(QStringLiteral("SELECT count(*) FROM Table1"))->toInt(), remaining);
    QCOMPARE(file.Value(QStringLiteral("SELECT count(*) FROM Table1 WHERE id = 2"))->toInt(), remaining - 2);
    QCOMPARE(view.Browse().RecordCount(), remaining);
}

void TestBrowse::tabStaysInTheList()
{
    TestDatabase file(TestDatabase::Collection(3, 50));
    BrowseView view;
    view.grid->setFocus();
    view.Key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), view.grid);
    QCOMPARE(view.Browse().RecNo(), 2);
    view.Key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), view.grid);
    QCOMPARE(view.Browse().RecNo(), 1);
}

void TestBrowse::titleEditedInTheListIsWritten()
{
    TestDatabase file(TestDatabase::Collection(3, 50));
    BrowseView view;
    view.grid->setFocus();
    view.Key(Qt::Key_F2);
    QVERIFY(view.grid->EditorOpen());
    QCOMPARE(view.grid->Editor()->text(), QStringLiteral("t1"));
    QCOMPARE(view.grid->Editor()->maxLength(), 50);
    QTest::keyClicks(view.grid->Editor(), QStringLiteral("z"));
    QCOMPARE(view.Browse().State(), TDataSetState::dsEdit);
    view.Key(Qt::Key_Return);
    QVERIFY(!view.grid->EditorOpen());
    QCOMPARE(view.title->Text(), QStringLiteral("t1z"));
    view.Key(Qt::Key_Down);
    QCOMPARE(file.Value(QStringLiteral("SELECT kholase FROM Table1 WHERE id = 1")), QStringLiteral("t1z"));

    // Typing a character opens the editor with it; Escape then restores and a second drops the change.
    view.Key(Qt::Key_Q);
    QVERIFY(view.grid->EditorOpen());
    QCOMPARE(view.grid->Editor()->text(), QStringLiteral("t2q"));
    view.Key(Qt::Key_Escape);
    QCOMPARE(view.Browse().State(), TDataSetState::dsEdit);
    view.Key(Qt::Key_Escape);
    QCOMPARE(view.Browse().State(), TDataSetState::dsBrowse);
    QCOMPARE(view.title->Text(), QStringLiteral("t2"));
}

void TestBrowse::failedPostKeepsTheTypedTextAndTheList()
{
    TestDatabase file(TestDatabase::Collection(5, 50));
    BrowseView view;
    view.answer->setFocus();
    QTest::keyClicks(view.answer, QStringLiteral("mine "));
    file.Execute(QStringLiteral("UPDATE Table1 SET pasokh = 'theirs' WHERE id = 1"));
    Boxes boxes;
    view.ClickRow(3);
    QCOMPARE(boxes.Texts().size(), 1);
    QVERIFY2(
        boxes.Texts().first().contains(QStringLiteral("پس از خوانده شدن، آن را تغییر داده یا پاک کرده است")),
        qPrintable(boxes.Texts().first()));
    QCOMPARE(view.Browse().RecNo(), 1);
    QCOMPARE(view.Browse().State(), TDataSetState::dsEdit);
    QCOMPARE(view.answer->toPlainText(), QStringLiteral("mine a1"));
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")), QStringLiteral("theirs"));
}

void TestBrowse::closedDataSetShowsEmptyControls()
{
    TestDatabase file{QString()};
    Boxes boxes;
    BrowseView view;
    QCOMPARE(boxes.Texts().size(), 3);
    QCOMPARE(view.title->Text(), QString());
    QCOMPARE(view.answer->toPlainText(), QString());
    view.answer->setFocus();
    QTest::keyClicks(view.answer, QStringLiteral("ignored"));
    QCOMPARE(view.answer->toPlainText(), QString());
    view.grid->setFocus();
    for (int key : {Qt::Key_Down, Qt::Key_Insert, Qt::Key_F2, Qt::Key_A})
        view.Key(key);
    view.Key(Qt::Key_Delete, Qt::ControlModifier);
    QVERIFY(!view.grid->EditorOpen());
    QCOMPARE(boxes.Texts().size(), 3);
    QVERIFY(!view.grid->verticalScrollBar()->isVisible());
}

void TestBrowse::changesSurviveARestart()
{
    TestDatabase file(TestDatabase::Collection(3, 50));
    {
        BrowseView view;
        view.answer->setFocus();
        QTest::keyClicks(view.answer, QStringLiteral("kept "));
        view.grid->setFocus();
        view.Key(Qt::Key_Down);
    }
    BrowseView again;
    QCOMPARE(again.answer->toPlainText(), QStringLiteral("kept a1"));
}

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Application->Initialize();
    TestBrowse test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestBrowse.moc"
