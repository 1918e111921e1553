#include "ErrorText.h"
#include "TestDatabase.h"
#include "TestPaths.h"
#include "TestProgram.h"

#include "TADOConnection.h"
#include "TADOQuery.h"
#include "TADOTable.h"
#include "TApplication.h"
#include "TDBGrid.h"
#include "TDBMemo.h"
#include "Unit2.h"

#include <QFile>
#include <QtTest>

namespace {

// A working folder whose dorvanel.mdb holds the given bytes.
class JetCollection
{
public:
    explicit JetCollection(const QByteArray& bytes) : m_bytes(bytes)
    {
        QFile file(m_folder.Path());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("the test collection cannot be written");
    }
    QString Path() const { return m_folder.Path(); }
    // The file as the test wrote it, byte for byte.
    bool Unchanged() const
    {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) && file.readAll() == m_bytes;
    }

private:
    TestDatabase m_folder{QString()};
    QByteArray m_bytes;
};

// A statement over the collection, through a connection of its own as the program makes it.
struct Statement
{
    explicit Statement(const QString& sql)
    {
        connection.setConnectionString(QStringLiteral(
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=dorvanel.mdb;Persist Security Info=False"));
        query.setObjectName(QStringLiteral("query"));
        query.setConnection(&connection);
        query.SQL().Add(sql);
        query.Open();
    }
    TADOConnection connection;
    TADOQuery query;
};

// "كتاب الإيمان - الفصل الأول", the first heading of the book, spelled with the Arabic kaf and yeh.
const QString FirstHeading = QStringLiteral(
    "\u0643\u062A\u0627\u0628 \u0627\u0644\u0625\u064A\u0645\u0627\u0646 - \u0627\u0644\u0641\u0635\u0644 "
    "\u0627\u0644\u0623\u0648\u0644");

} // namespace

class TestJetCollection : public QObject
{
    Q_OBJECT

private slots:
    void bookIsReadThroughTheConnection();
    void likeFindsArabicLettersFromPersianOnes();
    void resultsAreNotUpdatable();
    void missingQuery1FailsOnlyTheBrowseDataSet();
    void badFileFailsAtOpen_data();
    void badFileFailsAtOpen();
    void typingIntoTheResultsChangesNothing();
};

void TestJetCollection::bookIsReadThroughTheConnection()
{
    const JetCollection file(FixtureBytes(QStringLiteral("jet/170.mdb")));
    Statement book(QStringLiteral("SELECT * FROM book"));
    QCOMPARE(book.query.RecordCount(), 7088);
    QCOMPARE(book.query.FieldByName(QStringLiteral("id"))->AsString(), QStringLiteral("4"));
    book.query.Last();
    QCOMPARE(book.query.FieldByName(QStringLiteral("id"))->AsString(), QStringLiteral("7110"));

    Statement heading(QStringLiteral("SELECT tit FROM title WHERE id = (SELECT min(id) FROM title)"));
    QCOMPARE(heading.query.FieldByName(QStringLiteral("tit"))->AsString().toUtf8(), FirstHeading.toUtf8());
}

void TestJetCollection::likeFindsArabicLettersFromPersianOnes()
{
    const JetCollection file(FixtureBytes(QStringLiteral("jet/170.mdb")));
    // "کتاب الإیمان" with the Persian kaf and yeh.
    Statement found(
        QStringLiteral("SELECT tit FROM title WHERE tit LIKE "
                       "'%\u06A9\u062A\u0627\u0628 \u0627\u0644\u0625\u06CC\u0645\u0627\u0646%'"));
    QVERIFY(found.query.RecordCount() > 0);
    QCOMPARE(found.query.FieldByName(QStringLiteral("tit"))->AsString().toUtf8(), FirstHeading.toUtf8());
}

void TestJetCollection::resultsAreNotUpdatable()
{
    const JetCollection file(FixtureBytes(QStringLiteral("jet/testUnicodeCompV2003.mdb")));
    {
        // The table has a primary key, so only the file's kind keeps the result from being updatable.
        Statement table(QStringLiteral("SELECT * FROM \"Table\""));
        QCOMPARE(table.query.RecordCount(), 8);
        QVERIFY(!table.query.CanModify());
        QVERIFY(!table.query.FieldByName(QStringLiteral("Unicode"))->CanModify());
        const QString refused = QStringLiteral("query: Cannot modify a read-only dataset");
        QCOMPARE(ErrorText([&] { table.query.Edit(); }), refused);
        QCOMPARE(ErrorText([&] { table.query.Insert(); }), refused);
        QCOMPARE(ErrorText([&] { table.query.Append(); }), refused);
        QCOMPARE(ErrorText([&] { table.query.Delete(); }), refused);
        QVERIFY(!ErrorText([&] {
                     table.query.FieldByName(QStringLiteral("Unicode"))->setAsString("x");
                 }).isEmpty());
        QCOMPARE(table.query.State(), TDataSetState::dsBrowse);
        QCOMPARE(table.query.RecordCount(), 8);
        QCOMPARE(table.query.FieldByName(QStringLiteral("Unicode"))->AsString(),
                 QStringLiteral("only ascii chars"));
        // A statement that writes is refused by the copy in memory, which says what the file is.
        QCOMPARE(
            ErrorText([&] { Statement(QStringLiteral("DELETE FROM \"Table\"")); }),
            QStringLiteral("مجموعه \u200Edorvanel.mdb\u200E پرونده "
                           "Access است و تنها خوانده می‌شود؛ تغییر ذخیره "
                           "نشد. برای ویرایش، آن را یک بار با "
                           "\u200Evelnora-import\u200E به قالب خود "
                           "ولنورا تبدیل کنید"));
    }
    QVERIFY(file.Unchanged());
}

void TestJetCollection::missingQuery1FailsOnlyTheBrowseDataSet()
{
    const JetCollection file(FixtureBytes(QStringLiteral("jet/queryTestV2000.mdb")));
    {
        Boxes boxes;
        TestProgram program;
        // The file has no stored query Query1. Table1 is read, though it holds none of the record
        // model's fields, and the first control missing its field says so.
        QCOMPARE(boxes.Texts(), QStringList({QStringLiteral("پایگاه داده \u200Edorvanel.mdb\u200E جدول یا "
                                                            "پرسمانی به نام \u200EQuery1\u200E ندارد. "
                                                            "پرونده مجموعه درست را با همین نام بگذارید."),
                                             QStringLiteral("DBMaall3: Field 'pavaraghi' not found.")}));
        QVERIFY(!Data->ADOaall->Active());
        QVERIFY(Data->ADOQuery1->Active());
        QVERIFY(Data->ADOQuery1->FindField(QStringLiteral("col1")) != nullptr);
        QVERIFY(!Data->ADOQuery1->CanModify());
    }
    QVERIFY(file.Unchanged());
}

void TestJetCollection::badFileFailsAtOpen_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QByteArray book = FixtureBytes(QStringLiteral("jet/170.mdb"));
    const QString access = QStringLiteral("مجموعه Access \u200Edorvanel.mdb\u200E خوانده نشد: ");
    const QString noCatalogue =
        access +
        QStringLiteral("فهرست جدول‌های آن خوانده نشد (پرونده آسیب "
                       "دیده یا ناقص است).");
    const QByteArray half = book.left(book.size() / 2 + 1000);
    QTest::newRow("truncated")
        << half
        << access + QStringLiteral("پرونده ناقص است (اندازه آن، %1 بایت، چند "
                                   "برابر درستی از صفحه‌های 2048 بایتی نیست).")
                        .arg(half.size());
    QTest::newRow("cut before the catalogue") << book.left(6 * 2048) << noCatalogue;
    QTest::newRow("signature over foreign bytes")
        << book.left(2048) + FixtureBytes(QStringLiteral("jet/NOTICE")).leftJustified(20 * 2048, ' ')
        << noCatalogue;
    QTest::newRow("empty")
        << QByteArray()
        << QStringLiteral("پرونده \u200Edorvanel.mdb\u200E خالی است و "
                          "مجموعه‌ای در آن نیست. پرونده مجموعه را به "
                          "جای آن بگذارید.");
    QTest::newRow("foreign") << FixtureBytes(QStringLiteral("jet/NOTICE"))
                             << QStringLiteral("پرونده \u200Edorvanel.mdb\u200E پایگاه داده "
                                               "نیست. پرونده مجموعه را با همین نام به جای آن "
                                               "بگذارید.");
}

void TestJetCollection::badFileFailsAtOpen()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const JetCollection file(bytes);
    Boxes boxes;
    TestProgram program;
    // The connection's open fails for each of its three users, as for a missing file.
    QCOMPARE(boxes.Texts(), QStringList({text, text, text}));
    QVERIFY(!Data->ADOConnection1->Connected());
    QVERIFY(!Data->ADOaall->Active());
    QVERIFY(!Data->ADOQuery1->Active());
    QVERIFY(file.Unchanged());
}

void TestJetCollection::typingIntoTheResultsChangesNothing()
{
    const JetCollection file(FixtureBytes(QStringLiteral("jet/testUnicodeCompV2003.mdb")));
    Boxes boxes;
    TestProgram program;
    // The results view over a keyed table, its columns named as the record model names them.
    TADOQuery* results = Data->ADOQuery1;
    results->SQL().Clear();
    results->SQL().Add(QStringLiteral("SELECT ID, Unicode AS kholase, Unicode AS porsesh, Unicode AS pasokh, "
                                      "Unicode AS pavaraghi FROM \"Table\" ORDER BY ID"));
    results->Open();
    TDBMemo* memo = program.Control<TDBMemo>("DBMaall2");
    program.Window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(program.Window()));
    memo->setFocus();
    const QString first = QStringLiteral("only ascii chars");
    QCOMPARE(memo->toPlainText(), first);
    QTest::keyClicks(memo, QStringLiteral("typed"));
    QTest::keyClick(memo, Qt::Key_Delete);
    QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), first);
    QVERIFY(memo->isReadOnly());
    QCOMPARE(results->State(), TDataSetState::dsBrowse);

    // The list adds, deletes and edits nothing either, and asks nothing.
    const QStringList seen = boxes.Texts();
    TDBGrid* list = program.Control<TDBGrid>("DBGrid1");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Insert);
    QCOMPARE(results->State(), TDataSetState::dsBrowse);
    QTest::keyClick(list, Qt::Key_End);
    const QString last = results->FieldByName(QStringLiteral("kholase"))->AsString();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClicks(list, QStringLiteral("x"));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(boxes.Texts(), seen);
    QCOMPARE(results->State(), TDataSetState::dsBrowse);
    QCOMPARE(results->RecordCount(), 8);
    QCOMPARE(results->RecNo(), 8);
    QCOMPARE(results->FieldByName(QStringLiteral("kholase"))->AsString(), last);
    results->First();
    QCOMPARE(results->FieldByName(QStringLiteral("pasokh"))->AsString(), first);
    QVERIFY(file.Unchanged());
}

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Application->Initialize();
    TestJetCollection test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestJetCollection.moc"
