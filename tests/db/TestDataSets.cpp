#include "TestDatabase.h"

#include "ErrorText.h"
#include "TADOConnection.h"
#include "TADOQuery.h"
#include "TADOTable.h"
#include "TDataSource.h"
#include "TFieldDataLink.h"

#include <QFile>
#include <QtTest>

#include <sqlite3.h>

#include <memory>

namespace {

const QString ConnectionText =
    QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=dorvanel.mdb;Persist Security Info=False");

// The connection and both datasets, made as the data module makes them.
struct Store
{
    Store()
    {
        connection.setObjectName(QStringLiteral("ADOConnection1"));
        connection.setConnectionString(ConnectionText);
        browse.setObjectName(QStringLiteral("ADOaall"));
        browse.setConnection(&connection);
        browse.setTableName(QStringLiteral("Query1"));
        browseSource.setDataSet(&browse);
        search.setObjectName(QStringLiteral("ADOQuery1"));
        search.setConnection(&connection);
        search.SQL().Add(QStringLiteral("SELECT *"));
        search.SQL().Add(QStringLiteral(" FROM Table1;"));
        search.setDataSource(&browseSource);
        searchSource.setDataSet(&search);
    }

    TADOConnection connection;
    TADOTable browse;
    TDataSource browseSource;
    TADOQuery search;
    TDataSource searchSource;
};

// Collects the statements that the connection's file runs, each as it first steps; seen must outlive
// the connection.
void TraceStatements(Store& store, QStringList& seen)
{
    store.connection.SetFunctionInstaller([&seen](sqlite3* db) {
        sqlite3_trace_v2(
            db, SQLITE_TRACE_STMT,
            [](unsigned, void* context, void*, void* text) {
                static_cast<QStringList*>(context)->append(QString::fromUtf8(static_cast<const char*>(text)));
                return 0;
            },
            &seen);
    });
}

// A control standing in for a memo: it writes its typed text into its field when asked.
class TypedText : public QObject
{
public:
    TypedText(TDataSource* source, const QString& field) : link(this)
    {
        setObjectName(QStringLiteral("Typed"));
        link.setFieldName(field);
        link.setDataSource(source);
        link.OnUpdateData = [this] {
            if (pending) {
                link.Field()->setAsString(*pending);
                pending.reset();
            }
        };
    }
    void Type(const QString& text)
    {
        link.Edit();
        pending = text;
    }

    TFieldDataLink link;
    std::optional<QString> pending;
};

} // namespace

class TestDataSets : public QObject
{
    Q_OBJECT

private slots:
    void moves_data();
    void moves();
    void closedDataSetErrors();
    void fieldsFollowTheDeclaredTypes();
    void recordNumbersWhileInserting();
    void replacingTheSearchText();
    void statementReachesTheFileUnchanged();
    void providerErrors_data();
    void providerErrors();
    void lockedFileIsReported();
    void connectionIsTriedAgain();
    void changesAreWrittenAtOnce();
    void conflictingChangeIsReported();
    void settlingWithoutDifferenceWritesNothing();
    void readOnlyFileIsNotUpdatable();
    void pendingChangeIsPostedBeforeANewSearch();
    void failingPostKeepsTheSearchAndTheTypedText();
    void browseChangesSettleTheSearchDataSet();
    void noticesReachTheDetailFirstThenControlsInReverse();
    void bothDataSetsReadTheCollectionOnce_data();
    void bothDataSetsReadTheCollectionOnce();
    void sharedRowsStayEachDataSetsOwn();
    void aLargeCollectionReadInTwoPartsIsWhole();
};

void TestDataSets::moves_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("recNo");
    QTest::addColumn<bool>("bof");
    QTest::addColumn<bool>("eof");
    QTest::addColumn<int>("moved");

    // steps: N next, P prior, F first, L last, +k / -k move by k, =k go to record k; moved: the last MoveBy.
    QTest::newRow("empty, opened") << 0 << "" << -1 << true << true << 0;
    QTest::newRow("empty, next") << 0 << "N" << -1 << true << true << 0;
    QTest::newRow("empty, last") << 0 << "L" << -1 << true << true << 0;
    QTest::newRow("one, opened") << 1 << "" << 1 << true << false << 0;
    QTest::newRow("one, next") << 1 << "N" << 1 << true << true << 0;
    QTest::newRow("one, next, prior") << 1 << "NP" << 1 << true << true << 0;
    QTest::newRow("many, opened") << 5 << "" << 1 << true << false << 0;
    QTest::newRow("many, next") << 5 << "N" << 2 << false << false << 0;
    QTest::newRow("many, prior at the start") << 5 << "P" << 1 << true << false << 0;
    QTest::newRow("many, last") << 5 << "L" << 5 << false << true << 0;
    QTest::newRow("many, next at the end") << 5 << "LN" << 5 << false << true << 0;
    QTest::newRow("many, next at the end twice") << 5 << "LNN" << 5 << false << true << 0;
    QTest::newRow("many, prior after the end") << 5 << "LNP" << 4 << false << false << 0;
    QTest::newRow("many, first after last") << 5 << "LF" << 1 << true << false << 0;
    QTest::newRow("many, move by 3") << 5 << "+3" << 4 << false << false << 3;
    QTest::newRow("many, move by 9") << 5 << "+9" << 5 << false << true << 4;
    QTest::newRow("many, move back by 9") << 5 << "L-9" << 1 << true << false << -4;
    QTest::newRow("many, move by 0") << 5 << "N+0" << 2 << false << false << 0;
    QTest::newRow("many, go to 4") << 5 << "=4" << 4 << false << false << 0;
    QTest::newRow("many, go to 99") << 5 << "=99" << 5 << false << false << 0;
    QTest::newRow("many, go to 0") << 5 << "L=0" << 1 << false << false << 0;
    QTest::newRow("many, go to the current") << 5 << "=1" << 1 << true << false << 0;
}

void TestDataSets::moves()
{
    QFETCH(int, rows);
    QFETCH(QString, steps);
    TestDatabase file(TestDatabase::Collection(rows));
    Store store;
    store.browse.Open();
    int moved = 0;
    for (int i = 0; i < steps.size(); ++i) {
        const QChar step = steps[i];
        if (step == QLatin1Char('N'))
            store.browse.Next();
        else if (step == QLatin1Char('P'))
            store.browse.Prior();
        else if (step == QLatin1Char('F'))
            store.browse.First();
        else if (step == QLatin1Char('L'))
            store.browse.Last();
        else {
            const int k = steps.mid(i + 1, 1).toInt();
            ++i;
            if (step == QLatin1Char('='))
                store.browse.setRecNo(k == 9 ? 99 : k);
            else
                moved = store.browse.MoveBy(step == QLatin1Char('+') ? k : -k);
        }
    }
    QCOMPARE(store.browse.RecordCount(), rows);
    QTEST(store.browse.RecNo(), "recNo");
    QTEST(store.browse.Bof(), "bof");
    QTEST(store.browse.Eof(), "eof");
    QTEST(moved, "moved");
    const int recNo = store.browse.RecNo();
    QCOMPARE(store.browse.FieldByName(QStringLiteral("kholase"))->AsString(),
             recNo > 0 ? QStringLiteral("t%1").arg(recNo) : QString());
}

void TestDataSets::closedDataSetErrors()
{
    TestDatabase file(TestDatabase::Collection(2));
    Store store;
    const QString closed = QStringLiteral("ADOQuery1: Cannot perform this operation on a closed dataset");
    QCOMPARE(ErrorText([&] { store.search.Next(); }), closed);
    QCOMPARE(ErrorText([&] { store.search.Prior(); }), closed);
    QCOMPARE(ErrorText([&] { store.search.RecordCount(); }), closed);
    QCOMPARE(ErrorText([&] { store.search.RecNo(); }), closed);
    QCOMPARE(ErrorText([&] { store.search.MoveBy(2); }), closed);
    QCOMPARE(ErrorText([&] { store.search.setActive(false); }), QString());
    store.search.Open();
    QCOMPARE(ErrorText([&] { store.search.FieldByName(QStringLiteral("nothing")); }),
             QStringLiteral("ADOQuery1: Field 'nothing' not found"));
    QCOMPARE(store.search.FindField(QStringLiteral("nothing")), nullptr);
}

void TestDataSets::fieldsFollowTheDeclaredTypes()
{
    TestDatabase file;
    Store store;
    store.browse.Open();
    TField* title = store.browse.FieldByName(QStringLiteral("kholase"));
    QCOMPARE(title->DataType(), TFieldType::ftString);
    QCOMPARE(title->Size(), 255);
    QCOMPARE(title->DisplayText(), title->AsString());
    for (const char* name : {"porsesh", "pasokh", "pavaraghi"}) {
        TField* memo = store.browse.FieldByName(QString::fromLatin1(name));
        QVERIFY(memo->IsBlob());
        QCOMPARE(memo->DisplayText(), QStringLiteral("(MEMO)"));
        QVERIFY(memo->CanModify());
    }
    QVERIFY(!store.browse.FieldByName(QStringLiteral("id"))->CanModify());

    // An entry without an answer shows the marker of an empty long text.
    store.search.SQL().Clear();
    store.search.SQL().Add(QStringLiteral("SELECT * FROM Table1 WHERE pavaraghi = '' OR pavaraghi IS NULL"));
    store.search.Open();
    QVERIFY(store.search.RecordCount() >= 1);
    QCOMPARE(store.search.FieldByName(QStringLiteral("pavaraghi"))->DisplayText(), QStringLiteral("(memo)"));
    QCOMPARE(store.search.FieldByName(QStringLiteral("pavaraghi"))->AsString(), QString());
}

void TestDataSets::recordNumbersWhileInserting()
{
    TestDatabase file(TestDatabase::Collection(3));
    Store store;
    store.browse.Open();
    store.browse.Next();
    store.browse.Insert();
    QCOMPARE(store.browse.State(), TDataSetState::dsInsert);
    QCOMPARE(store.browse.RecNo(), -1);
    QCOMPARE(store.browse.RecordCount(), 3);
    {
        TDataSet::RowReader reader(store.browse, 0);
        QCOMPARE(store.browse.RecNo(), -1);
        QCOMPARE(store.browse.FieldByName(QStringLiteral("kholase"))->AsString(), QStringLiteral("t1"));
    }
    store.browse.Cancel();
    QCOMPARE(store.browse.RecNo(), 2);
    {
        TDataSet::RowReader reader(store.browse, 2);
        QCOMPARE(store.browse.RecNo(), 3);
    }
    QCOMPARE(store.browse.RecNo(), 2);

    TestDatabase empty(TestDatabase::Collection(0));
    Store emptyStore;
    emptyStore.browse.Open();
    QCOMPARE(emptyStore.browse.RecNo(), -1);
    emptyStore.browse.Edit();
    QCOMPARE(emptyStore.browse.State(), TDataSetState::dsInsert);
}

void TestDataSets::replacingTheSearchText()
{
    TestDatabase file(TestDatabase::Collection(3));
    Store store;
    store.search.Open();
    QCOMPARE(store.search.SQL().Text(), QStringLiteral("SELECT *\r\n FROM Table1;\r\n"));
    QCOMPARE(store.search.RecordCount(), 3);

    store.search.Next();
    store.search.setActive(true);
    QCOMPARE(store.search.RecNo(), 2);

    store.search.SQL().Clear();
    QVERIFY(!store.search.Active());
    QCOMPARE(ErrorText([&] { store.search.Open(); }), QStringLiteral("The statement is empty"));
    store.search.SQL().Clear();
    QVERIFY(!store.search.Active());

    store.search.SQL().Add(QStringLiteral("SELECT * FROM  Table1 where kholase like '%t2%'"));
    QVERIFY(!store.search.Active());
    store.search.setActive(true);
    QCOMPARE(store.search.RecordCount(), 1);
    QCOMPARE(store.search.FieldByName(QStringLiteral("kholase"))->AsString(), QStringLiteral("t2"));
}

void TestDataSets::statementReachesTheFileUnchanged()
{
    TestDatabase file(TestDatabase::Collection(2) +
                      QStringLiteral("INSERT INTO Table1 VALUES (3, 't3', 'a \"b\": c; it''s', '', '');"));
    QStringList seen;
    Store store;
    TraceStatements(store, seen);
    const QString statement = QStringLiteral("SELECT * FROM  Table1 where porsesh like '%\"b\": c; it''s%'");
    store.search.SQL().Clear();
    store.search.SQL().Add(statement);
    store.search.Open();
    QCOMPARE(store.search.RecordCount(), 1);
    QCOMPARE(store.search.FieldByName(QStringLiteral("kholase"))->AsString(), QStringLiteral("t3"));
    QVERIFY(seen.contains(statement + QStringLiteral("\r\n")));

    store.search.SQL().Clear();
    store.search.SQL().Add(QStringLiteral("SELECT * FROM  Table1 where porsesh like '%:id%'"));
    store.search.Open();
    QCOMPARE(store.search.RecordCount(), 0);
    QVERIFY(store.search.Eof() && store.search.Bof());
}

void TestDataSets::providerErrors_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("garbage");
    QTest::addColumn<QString>("expected");
    // %1 is the folder. Names are kept between left-to-right marks.
    QTest::newRow("missing file") << QString() << QString()
                                  << QStringLiteral("پرونده مجموعه \u200Edorvanel.mdb\u200E در "
                                                    "پوشه \u200E%1\u200E پیدا نشد. مجموعه خود را "
                                                    "با همین نام در این پوشه بگذارید");
    QTest::newRow("not a database") << QString() << "This is plain text, not a database file at all.\n"
                                    << QStringLiteral("پرونده \u200Edorvanel.mdb\u200E پایگاه داده "
                                                      "نیست. پرونده مجموعه را با همین نام به جای آن "
                                                      "بگذارید");
}

void TestDataSets::providerErrors()
{
    QFETCH(QString, garbage);
    QFETCH(QString, expected);
    TestDatabase file{QString()};
    if (!garbage.isEmpty()) {
        QFile out(file.Path());
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(garbage.repeated(100).toUtf8());
    }
    Store store;
    const QString text = ErrorText([&] { store.connection.Open(); });
    QCOMPARE(text, expected.contains(QLatin1String("%1")) ? expected.arg(file.Folder()) : expected);
    QVERIFY(!store.connection.Connected());
    QCOMPARE(ErrorText([&] { store.browse.Open(); }), text);
    QVERIFY(!store.browse.Active());
    QVERIFY(QFile::exists(file.Path()) == !garbage.isEmpty());
}

void TestDataSets::lockedFileIsReported()
{
    TestDatabase file(TestDatabase::Collection(2));
    sqlite3* other = nullptr;
    QCOMPARE(sqlite3_open(file.Path().toUtf8().constData(), &other), SQLITE_OK);
    QCOMPARE(
        sqlite3_exec(other, "BEGIN EXCLUSIVE; UPDATE Table1 SET pasokh = 'x';", nullptr, nullptr, nullptr),
        SQLITE_OK);
    Store store;
    QCOMPARE(ErrorText([&] { store.browse.Open(); }),
             QStringLiteral("پرونده \u200Edorvanel.mdb\u200E را برنامه "
                            "دیگری قفل کرده است. آن برنامه را ببندید و "
                            "دوباره بکوشید"));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    store.browse.Open();
    QCOMPARE(store.browse.RecordCount(), 2);
}

void TestDataSets::connectionIsTriedAgain()
{
    TestDatabase file{QString()};
    Store store;
    QVERIFY(!ErrorText([&] { store.browse.Open(); }).isEmpty());
    file.Execute(TestDatabase::Collection(2));
    store.search.Open();
    QVERIFY(store.connection.Connected());
    QCOMPARE(store.search.RecordCount(), 2);

    file.Execute(QStringLiteral("DROP VIEW Query1"));
    const QString missing = ErrorText([&] { store.browse.Open(); });
    QVERIFY2(missing.contains(QStringLiteral("جدول یا پرسمانی به نام \u200EQuery1\u200E ندارد")) &&
                 missing.contains(QStringLiteral("\u200Edorvanel.mdb\u200E")),
             qPrintable(missing));
}

void TestDataSets::changesAreWrittenAtOnce()
{
    TestDatabase file(TestDatabase::Collection(3));
    Store store;
    store.browse.Open();
    store.browse.Next();
    store.browse.Edit();
    store.browse.FieldByName(QStringLiteral("pasokh"))->setAsString(QStringLiteral("پاسخ تازه"));
    store.browse.Post();
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 2")),
             QStringLiteral("پاسخ تازه"));
    QCOMPARE(store.browse.RecNo(), 2);

    store.browse.Append();
    store.browse.FieldByName(QStringLiteral("kholase"))->setAsString(QStringLiteral("عنوان نو"));
    store.browse.Post();
    QCOMPARE(store.browse.RecordCount(), 4);
    QCOMPARE(store.browse.RecNo(), 4);
    QCOMPARE(file.Value(QStringLiteral("SELECT count(*) FROM Table1")), QStringLiteral("4"));
    const QString id = store.browse.FieldByName(QStringLiteral("id"))->AsString();
    QCOMPARE(file.Value(QStringLiteral("SELECT kholase FROM Table1 WHERE id = ") + id),
             QStringLiteral("عنوان نو"));

    store.browse.First();
    store.browse.Delete();
    QCOMPARE(file.Value(QStringLiteral("SELECT count(*) FROM Table1 WHERE id = 1")), QStringLiteral("0"));
    QCOMPARE(store.browse.RecordCount(), 3);
    QCOMPARE(store.browse.FieldByName(QStringLiteral("kholase"))->AsString(), QStringLiteral("t2"));
}

void TestDataSets::conflictingChangeIsReported()
{
    TestDatabase file(TestDatabase::Collection(3));
    Store store;
    store.browse.Open();
    store.browse.Edit();
    file.Execute(QStringLiteral("UPDATE Table1 SET pasokh = 'from elsewhere' WHERE id = 1"));
    store.browse.FieldByName(QStringLiteral("pasokh"))->setAsString(QStringLiteral("mine"));
    const QString text = ErrorText([&] { store.browse.Next(); });
    QVERIFY2(text.contains(QStringLiteral("پس از خوانده شدن، آن را تغییر داده یا پاک کرده است")),
             qPrintable(text));
    QCOMPARE(store.browse.State(), TDataSetState::dsEdit);
    QCOMPARE(store.browse.FieldByName(QStringLiteral("pasokh"))->AsString(), QStringLiteral("mine"));
    QCOMPARE(store.browse.CurrentRow(), 0);
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")),
             QStringLiteral("from elsewhere"));

    // A change to another column of the row does not conflict with this one.
    store.browse.Cancel();
    store.browse.Edit();
    file.Execute(QStringLiteral("UPDATE Table1 SET porsesh = 'other column' WHERE id = 1"));
    store.browse.FieldByName(QStringLiteral("pavaraghi"))->setAsString(QStringLiteral("sources"));
    store.browse.Post();
    QCOMPARE(file.Value(QStringLiteral("SELECT pavaraghi FROM Table1 WHERE id = 1")),
             QStringLiteral("sources"));

    // A row deleted elsewhere cannot be deleted again.
    file.Execute(QStringLiteral("DELETE FROM Table1 WHERE id = 2"));
    store.browse.Next();
    QVERIFY(!ErrorText([&] { store.browse.Delete(); }).isEmpty());
    QCOMPARE(store.browse.RecordCount(), 3);
}

void TestDataSets::settlingWithoutDifferenceWritesNothing()
{
    TestDatabase file(TestDatabase::Collection(2));
    Store store;
    store.browse.Open();
    store.browse.Edit();
    TField* answer = store.browse.FieldByName(QStringLiteral("pasokh"));
    answer->setAsString(QStringLiteral("changed"));
    answer->setAsString(QStringLiteral("a1"));
    // Another program's change to the same column would make any write fail: none happens.
    file.Execute(QStringLiteral("UPDATE Table1 SET pasokh = 'elsewhere' WHERE id = 1"));
    store.browse.Next();
    QCOMPARE(store.browse.RecNo(), 2);
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")),
             QStringLiteral("elsewhere"));

    store.browse.Append();
    store.browse.Prior();
    QCOMPARE(store.browse.RecordCount(), 2);
    QCOMPARE(file.Value(QStringLiteral("SELECT count(*) FROM Table1")), QStringLiteral("2"));
}

void TestDataSets::readOnlyFileIsNotUpdatable()
{
    TestDatabase file(TestDatabase::Collection(2));
    QVERIFY(QFile::setPermissions(file.Path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    Store store;
    store.browse.Open();
    QCOMPARE(store.browse.RecordCount(), 2);
    QVERIFY(!store.browse.CanModify());
    QVERIFY(!store.browse.FieldByName(QStringLiteral("pasokh"))->CanModify());
    QVERIFY(!ErrorText([&] { store.browse.Edit(); }).isEmpty());
    QVERIFY(!ErrorText([&] { store.browse.Insert(); }).isEmpty());
    QCOMPARE(store.browse.State(), TDataSetState::dsBrowse);
    QFile::setPermissions(file.Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestDataSets::pendingChangeIsPostedBeforeANewSearch()
{
    TestDatabase file(TestDatabase::Collection(3));
    Store store;
    TypedText memo(&store.searchSource, QStringLiteral("pasokh"));
    store.search.Open();
    store.search.Next();
    memo.Type(QStringLiteral("typed before the search"));
    store.search.SQL().Clear();
    QVERIFY(!store.search.Active());
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 2")),
             QStringLiteral("typed before the search"));
}

void TestDataSets::failingPostKeepsTheSearchAndTheTypedText()
{
    TestDatabase file(TestDatabase::Collection(3));
    Store store;
    TypedText memo(&store.searchSource, QStringLiteral("pasokh"));
    store.search.Open();
    memo.Type(QStringLiteral("typed"));
    file.Execute(QStringLiteral("UPDATE Table1 SET pasokh = 'elsewhere' WHERE id = 1"));
    QVERIFY(!ErrorText([&] { store.search.SQL().Clear(); }).isEmpty());
    QVERIFY(store.search.Active());
    QCOMPARE(store.search.SQL().Count(), 2);
    QCOMPARE(store.search.State(), TDataSetState::dsEdit);
    QCOMPARE(store.search.FieldByName(QStringLiteral("pasokh"))->AsString(), QStringLiteral("typed"));
    QVERIFY(!ErrorText([&] { store.search.Close(); }).isEmpty());
    QVERIFY(store.search.Active());
}

void TestDataSets::browseChangesSettleTheSearchDataSet()
{
    TestDatabase file(TestDatabase::Collection(3));
    Store store;
    store.browse.Open();
    store.search.Open();
    store.search.Last();
    store.search.Edit();
    store.search.FieldByName(QStringLiteral("kholase"))->setAsString(QStringLiteral("from the results"));
    store.browse.Next();
    QCOMPARE(store.search.State(), TDataSetState::dsBrowse);
    QCOMPARE(file.Value(QStringLiteral("SELECT kholase FROM Table1 WHERE id = 3")),
             QStringLiteral("from the results"));
    // The search dataset keeps its own rows and place when the browse dataset moves.
    QCOMPARE(store.search.RecNo(), 3);
    store.browse.Insert();
    QCOMPARE(store.search.RecordCount(), 3);
    QCOMPARE(store.search.FieldByName(QStringLiteral("kholase"))->AsString(),
             QStringLiteral("from the results"));
}

void TestDataSets::noticesReachTheDetailFirstThenControlsInReverse()
{
    TestDatabase file(TestDatabase::Collection(2));
    Store store;
    QStringList order;
    std::vector<std::unique_ptr<TypedText>> controls;
    TADOQuery late;
    for (const char* name : {"first", "second", "third"}) {
        controls.push_back(std::make_unique<TypedText>(&store.browseSource, QStringLiteral("kholase")));
        controls.back()->link.OnDataChange = [&order, &late, name] {
            order << QString::fromLatin1(name) + (late.State() == TDataSetState::dsEdit ? "*" : "");
        };
    }
    // A detail attached after the controls still hears first, and settles its change.
    late.setObjectName(QStringLiteral("late"));
    late.setConnection(&store.connection);
    late.SQL().Add(QStringLiteral("SELECT * FROM Table1"));
    late.setDataSource(&store.browseSource);
    late.Open();
    late.Edit();
    late.FieldByName(QStringLiteral("kholase"))->setAsString(QStringLiteral("x"));
    store.browse.Open();
    order.clear();
    store.browse.Next();
    QCOMPARE(order, QStringList({"third", "second", "first"}));
    QCOMPARE(file.Value(QStringLiteral("SELECT kholase FROM Table1 WHERE id = 1")), QStringLiteral("x"));
}

namespace {

QStringList Column(TDataSet& dataSet, const QString& field)
{
    QStringList values;
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
        values << dataSet.FieldByName(field)->AsString();
    dataSet.First();
    return values;
}

// As the file traces it, without the line break after the semicolon.
const QString SearchStatement = QStringLiteral("SELECT *\r\n FROM Table1;");

} // namespace

void TestDataSets::bothDataSetsReadTheCollectionOnce_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("between");
    QTest::addColumn<bool>("readOnce");

    QTest::newRow("nothing between") << ""
                                     << "" << true;
    QTest::newRow("another program changes an entry")
        << ""
        << "UPDATE Table1 SET pasokh = 'changed' WHERE id = 2" << false;
    QTest::newRow("another program adds an entry")
        << ""
        << "INSERT INTO Table1 VALUES (9, 't9', 'q9', 'a9', 's9')" << false;
    QTest::newRow("the browse dataset writes an entry") << ""
                                                        << "post" << false;
    QTest::newRow("Query1 keeps some entries")
        << "DROP VIEW Query1; CREATE VIEW Query1 AS SELECT * FROM Table1 WHERE id > 1 ORDER BY id"
        << "" << false;
    QTest::newRow("Query1 in another order")
        << "DROP VIEW Query1; CREATE VIEW Query1 AS SELECT * FROM Table1 ORDER BY kholase DESC"
        << "" << false;
    QTest::newRow("Query1 of some columns")
        << "DROP VIEW Query1; CREATE VIEW Query1 AS SELECT id, kholase FROM Table1 ORDER BY id"
        << "" << false;
    QTest::newRow("Table1 in the order of an index")
        << "DROP VIEW Query1; CREATE INDEX byTitle ON Table1 (kholase, id, porsesh, pasokh, pavaraghi);"
           "CREATE VIEW Query1 AS SELECT * FROM Table1 ORDER BY kholase"
        << "" << false;
    QTest::newRow("Query1 without an order, quoted")
        << "DROP VIEW Query1; CREATE VIEW \"Query1\" AS SELECT * FROM \"Table1\";"
        << "" << true;
}

void TestDataSets::bothDataSetsReadTheCollectionOnce()
{
    QFETCH(QString, before);
    QFETCH(QString, between);
    QFETCH(bool, readOnce);
    TestDatabase file(TestDatabase::Collection(4) +
                      QStringLiteral("UPDATE Table1 SET kholase = 'z' WHERE id = 1;") + before);
    QStringList seen;
    Store store;
    TraceStatements(store, seen);
    store.browse.Open();
    if (between == QLatin1String("post")) {
        store.browse.Last();
        store.browse.Edit();
        store.browse.FieldByName(QStringLiteral("pasokh"))->setAsString(QStringLiteral("mine"));
        store.browse.Post();
    } else if (!between.isEmpty()) {
        file.Execute(between);
    }
    store.search.Open();
    QCOMPARE(seen.contains(SearchStatement), !readOnce);

    // Whether shared or read, the search dataset holds the file as it is now, in key order.
    QStringList keys, answers;
    for (int id = 1; file.Value(QStringLiteral("SELECT count(*) FROM Table1 WHERE id >= %1").arg(id)) != "0";
         ++id) {
        if (const std::optional<QString> answer =
                file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = %1").arg(id))) {
            keys << QString::number(id);
            answers << *answer;
        }
    }
    QCOMPARE(Column(store.search, QStringLiteral("id")), keys);
    QCOMPARE(Column(store.search, QStringLiteral("pasokh")), answers);
    QCOMPARE(store.search.FieldCount(), 5);
    QVERIFY(store.search.CanModify());
}

void TestDataSets::sharedRowsStayEachDataSetsOwn()
{
    // An answer too large for the memory that rows share: that row is copied.
    const QString large(300000, QChar(0x0628));
    TestDatabase file(TestDatabase::Collection(3) +
                      QStringLiteral("UPDATE Table1 SET pasokh = '%1' WHERE id = 3;").arg(large));
    QStringList seen;
    Store store;
    TraceStatements(store, seen);
    store.browse.Open();
    store.search.Open();
    QVERIFY(!seen.contains(SearchStatement));

    // A change written through one dataset is that dataset's alone, as with two reads.
    store.browse.Edit();
    store.browse.FieldByName(QStringLiteral("pasokh"))->setAsString(QStringLiteral("mine"));
    store.browse.Post();
    QCOMPARE(store.search.FieldByName(QStringLiteral("pasokh"))->AsString(), QStringLiteral("a1"));
    store.browse.Close();
    QCOMPARE(Column(store.search, QStringLiteral("pasokh")), (QStringList{"a1", "a2", large}));

    // The search dataset's copy of the entry is older than the file: its change is a conflict.
    store.search.Edit();
    store.search.FieldByName(QStringLiteral("pasokh"))->setAsString(QStringLiteral("also mine"));
    const QString text = ErrorText([&] { store.search.Post(); });
    QVERIFY2(text.contains(QStringLiteral("پس از خوانده شدن، آن را تغییر داده یا پاک کرده است")),
             qPrintable(text));
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")), QStringLiteral("mine"));
    store.search.Cancel();
    store.search.Last();
    store.search.Edit();
    store.search.FieldByName(QStringLiteral("pavaraghi"))->setAsString(QStringLiteral("sources"));
    store.search.Post();
    QCOMPARE(file.Value(QStringLiteral("SELECT pavaraghi FROM Table1 WHERE id = 3")),
             QStringLiteral("sources"));
    QCOMPARE(store.search.FieldByName(QStringLiteral("pasokh"))->AsString(), large);
}

void TestDataSets::aLargeCollectionReadInTwoPartsIsWhole()
{
    // About 12 MB, with keys missing here and there and one entry far beyond the others.
    TestDatabase file(
        TestDatabase::Schema() +
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4000) "
                       "INSERT INTO Table1 SELECT i, 't' || i, 'q' || i, printf('%d:%.3000c', i, 'x'), "
                       "NULL FROM n WHERE i % 7 <> 3;"
                       "INSERT INTO Table1 VALUES (1000000, 'last', 'q', 'a', 's');"));
    QStringList seen;
    Store store;
    TraceStatements(store, seen);
    store.browse.Open();
    QVERIFY2(seen.filter(QStringLiteral("WHERE rowid <=")).size() == 1,
             qPrintable(seen.join(QLatin1Char('\n'))));

    QStringList keys;
    for (int id = 1; id <= 4000; ++id) {
        if (id % 7 != 3)
            keys << QString::number(id);
    }
    keys << QStringLiteral("1000000");
    QCOMPARE(Column(store.browse, QStringLiteral("id")), keys);
    const QStringList answers = Column(store.browse, QStringLiteral("pasokh"));
    for (int row = 0; row < int(keys.size()) - 1; ++row)
        QCOMPARE(answers[row], keys[row] + QLatin1Char(':') + QString(3000, QLatin1Char('x')));
    QCOMPARE(answers.last(), QStringLiteral("a"));
    QVERIFY(store.browse.FieldByName(QStringLiteral("pavaraghi"))->IsNull());
    store.search.Open();
    QCOMPARE(Column(store.search, QStringLiteral("id")), keys);
}

QTEST_GUILESS_MAIN(TestDataSets)
#include "TestDataSets.moc"
