#include "TestDatabase.h"

#include "TADOQuery.h"
#include "TADOTable.h"
#include "TApplication.h"
#include "TDBGrid.h"
#include "TDBMemo.h"
#include "TDBText.h"
#include "TDataSource.h"
#include "TestProgram.h"
#include "Unit1.h"
#include "Unit2.h"

#include <QtTest>

namespace {

const char* const Schema =
    "CREATE TABLE Table1 (id INTEGER PRIMARY KEY, kholase VARCHAR(255), porsesh MEMO,"
    " pasokh MEMO, pavaraghi MEMO);"
    "INSERT INTO Table1 VALUES (1, 'title one', 'question one', 'answer one', 'sources one');"
    "INSERT INTO Table1 VALUES (2, 'title two', 'question two', 'answer two', 'sources two');";

// Shows the main window and types into the browse view's answer memo.
TDBMemo* TypeIntoTheAnswer(const TestProgram& program, const QString& text)
{
    TDBMemo* memo = program.Control<TDBMemo>("DBMemo2");
    program.Window()->show();
    memo->setFocus();
    QTest::keyClicks(memo, text);
    return memo;
}

} // namespace

class TestDataModule : public QObject
{
    Q_OBJECT

private slots:
    void missingFileShowsThreeBoxes();
    void missingQueryShowsOneBox();
    void missingTableFailsTheSearchDataSet();
    void missingFieldNamesTheControl();
    void sampleCollectionOpensWithoutBoxes();
    void controlsAreAttachedInCreationOrder();
    void pendingChangesAreSettledAtExit();
    void failingPostAtExitKeepsTheTypedText();
};

void TestDataModule::missingFileShowsThreeBoxes()
{
    TestDatabase file{QString()};
    Boxes boxes;
    TestProgram program;
    // Where the reader looks for the collection, and what to do.
    const QString text = QStringLiteral("پرونده مجموعه \u200Edorvanel.mdb\u200E در "
                                        "پوشه \u200E%1\u200E پیدا نشد. مجموعه خود را "
                                        "با همین نام در این پوشه بگذارید.")
                             .arg(file.Folder());
    QCOMPARE(boxes.Texts(), QStringList({text, text, text}));
    QVERIFY(!Data->ADOaall->Active());
    QVERIFY(!Data->ADOQuery1->Active());
    QCOMPARE(program.Control<TDBText>("DBText1")->Text(), QString());
    QCOMPARE(program.Control<TDBMemo>("DBMemo2")->toPlainText(), QString());
}

void TestDataModule::missingQueryShowsOneBox()
{
    TestDatabase file(QString::fromLatin1(Schema));
    Boxes boxes;
    TestProgram program;
    QCOMPARE(boxes.Texts().size(), 1);
    QVERIFY2(
        boxes.Texts().first().contains(QStringLiteral("جدول یا پرسمانی به نام \u200EQuery1\u200E ندارد")),
        qPrintable(boxes.Texts().first()));
    QVERIFY(!Data->ADOaall->Active());
    QVERIFY(Data->ADOQuery1->Active());
    QCOMPARE(program.Control<TDBMemo>("DBMaall2")->toPlainText(), QStringLiteral("answer one"));
}

void TestDataModule::missingTableFailsTheSearchDataSet()
{
    TestDatabase file(QString::fromLatin1(Schema) + QStringLiteral("ALTER TABLE Table1 RENAME TO Query1;"));
    Boxes boxes;
    TestProgram program;
    QCOMPARE(boxes.Texts().size(), 1);
    QVERIFY2(
        boxes.Texts().first().contains(QStringLiteral("جدول یا پرسمانی به نام \u200ETable1\u200E ندارد")),
        qPrintable(boxes.Texts().first()));
    QVERIFY(Data->ADOaall->Active());
    QVERIFY(!Data->ADOQuery1->Active());
}

void TestDataModule::missingFieldNamesTheControl()
{
    TestDatabase file(
        QString::fromLatin1(Schema) +
        QStringLiteral("CREATE VIEW Query1 AS SELECT id, kholase, porsesh, pasokh FROM Table1;"));
    Boxes boxes;
    TestProgram program;
    QCOMPARE(boxes.Texts(), QStringList({"DBMemo3: Field 'pavaraghi' not found."}));
    QVERIFY(Data->ADOaall->Active());
    QCOMPARE(program.Control<TDBMemo>("DBMemo3")->toPlainText(), QString());
    QCOMPARE(program.Control<TDBMemo>("DBMaall3")->toPlainText(), QStringLiteral("sources one"));
}

void TestDataModule::sampleCollectionOpensWithoutBoxes()
{
    TestDatabase file;
    Boxes boxes;
    TestProgram program;
    QCOMPARE(boxes.Texts(), QStringList());
    const QString first = *file.Value(QStringLiteral("SELECT kholase FROM Query1 LIMIT 1"));
    QCOMPARE(program.Control<TDBText>("DBText1")->Text(), first);
    QCOMPARE(program.Control<TDBText>("DBaall")->Text(), first);
    QCOMPARE(program.Control<TDBMemo>("DBMemo1")->toPlainText(),
             *file.Value(QStringLiteral("SELECT porsesh FROM Query1 LIMIT 1")));
    QCOMPARE(Data->ADOaall->RecordCount(),
             file.Value(QStringLiteral("SELECT count(*) FROM Query1"))->toInt());
}

void TestDataModule::controlsAreAttachedInCreationOrder()
{
    TestDatabase file(QString::fromLatin1(Schema) +
                      QStringLiteral("CREATE VIEW Query1 AS SELECT id, kholase, porsesh FROM Table1;"));
    Boxes boxes;
    TestProgram program;
    // Controls are told in the reverse order of their attachment: the grid, then the sources memo.
    QCOMPARE(boxes.Texts(), QStringList({"DBMemo3: Field 'pavaraghi' not found."}));
    QCOMPARE(program.Control<TDBMemo>("DBMemo2")->toPlainText(), QString());
    QCOMPARE(program.Control<TDBGrid>("DBGrid2")->DataSource(), Data->Dataaall);
    QCOMPARE(program.Control<TDBGrid>("DBGrid1")->DataSource(), Data->DataSource1);
}

void TestDataModule::pendingChangesAreSettledAtExit()
{
    TestDatabase file(QString::fromLatin1(Schema) +
                      QStringLiteral("CREATE VIEW Query1 AS SELECT * FROM Table1;"));
    TestProgram program;
    TDBMemo* memo = TypeIntoTheAnswer(program, QStringLiteral("added "));
    QCOMPARE(Data->ADOaall->State(), TDataSetState::dsEdit);
    Data->ADOQuery1->Last();
    Data->ADOQuery1->Edit();
    Data->ADOQuery1->FieldByName(QStringLiteral("porsesh"))->setAsString(QStringLiteral("from the results"));
    Data->SettleChanges();
    QVERIFY(memo->isReadOnly());
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")),
             QStringLiteral("added answer one"));
    QCOMPARE(file.Value(QStringLiteral("SELECT porsesh FROM Table1 WHERE id = 2")),
             QStringLiteral("from the results"));
}

void TestDataModule::failingPostAtExitKeepsTheTypedText()
{
    TestDatabase file(QString::fromLatin1(Schema) +
                      QStringLiteral("CREATE VIEW Query1 AS SELECT * FROM Table1;"));
    TestProgram program;
    TDBMemo* memo = TypeIntoTheAnswer(program, QStringLiteral("mine "));
    file.Execute(QStringLiteral("UPDATE Table1 SET pasokh = 'theirs' WHERE id = 1"));
    QVERIFY_THROWS_EXCEPTION(EOleException, Data->SettleChanges());
    QCOMPARE(Data->ADOaall->State(), TDataSetState::dsEdit);
    QCOMPARE(memo->toPlainText(), QStringLiteral("mine answer one"));
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")), QStringLiteral("theirs"));
}

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Application->Initialize();
    TestDataModule test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestDataModule.moc"
