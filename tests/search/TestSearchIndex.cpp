#include "TestDatabase.h"

#include "SearchIndex.h"
#include "SqliteProvider.h"
#include "TADOConnection.h"
#include "TADOQuery.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

// Answers written in the forms a collection holds: Arabic and Persian letters, half-spaces, marks,
// presentation forms, quotes and wildcard characters.
const char* const Collection = R"(
CREATE TABLE Table1 (id INTEGER PRIMARY KEY, kholase VARCHAR(50), porsesh MEMO, pasokh MEMO, pavaraghi MEMO);
CREATE VIEW Query1 AS SELECT * FROM Table1 ORDER BY id;
INSERT INTO Table1 VALUES (1, 't1', 'نماز جمعه', 'پاسخ در كتاب آمده است', 's1');
INSERT INTO Table1 VALUES (2, 't2', 'روزه', 'در کتاب فقه گفته می‌شود', 's2');
INSERT INTO Table1 VALUES (3, 't3', 'رحمت', 'بسم ﷲ الرحمن الرحيم', 's3');
INSERT INTO Table1 VALUES (4, 't4', 'نماز مسافر', 'گفته میشود که 50% کافی است', 's4');
INSERT INTO Table1 VALUES (5, 't5', 'حج', 'it''s "quoted" here', 's5');
INSERT INTO Table1 VALUES (6, 't6', NULL, NULL, 's6');
INSERT INTO Table1 VALUES (7, 't7', 'إمام', 'قرآن و عترت', 's7');
)";

const QString Prefix = QStringLiteral("SELECT * FROM  Table1 where pasokh like ");

QString Statement(const QString& phrase, const QString& prefix = Prefix)
{
    QString pattern = QLatin1Char('%') + phrase + QLatin1Char('%');
    pattern.replace(QLatin1Char('\''), QStringLiteral("''"));
    return prefix + QLatin1Char('\'') + pattern + QLatin1Char('\'');
}

QStringList Keys(const TResultSet& result)
{
    QStringList keys;
    for (const RowData& row : result.rows)
        keys << QString::fromUtf8(row.Utf8(0));
    return keys;
}

const QStringList Phrases = {
    QStringLiteral("کتاب"), QStringLiteral("می شود"), QStringLiteral("میشود"),      QStringLiteral("الله"),
    QStringLiteral("گفته"), QStringLiteral("50% کا"), QStringLiteral("\"quoted\""), QStringLiteral("it's"),
    QStringLiteral("قران"), QStringLiteral("ک_اب"),   QStringLiteral("نیست"),       QStringLiteral("QUOTED"),
};

// A connection to the test's file, as the data module keeps it, with its index built.
struct IndexedFile
{
    IndexedFile() : database(QString::fromUtf8(Collection))
    {
        connection.setConnectionString(
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=dorvanel.mdb"));
        connection.Open();
        Build();
    }
    void Build()
    {
        for (int step = 0; step < 1000 && connection.Index().Step(); ++step) {
        }
    }
    // Every phrase searched through the index gives what reading every entry gives.
    void CompareWithScan(const QString& prefix = Prefix)
    {
        for (const QString& phrase : Phrases) {
            const QString sql = Statement(phrase, prefix);
            const std::optional<TResultSet> indexed = connection.Index().Read(sql);
            const TResultSet scanned = SqliteProvider::ReadResult(connection.Database(), sql);
            if (!indexed) {
                // Phrases without three letters in a row are not looked up in the index.
                QVERIFY2(phrase == QStringLiteral("50% کا") || phrase == QStringLiteral("ک_اب"),
                         qPrintable(phrase));
                continue;
            }
            QCOMPARE(Keys(*indexed), Keys(scanned));
            QCOMPARE(indexed->updatable, scanned.updatable);
        }
    }
    int Shell(const QString& sql)
    {
        QProcess shell;
        shell.start(QStringLiteral("sqlite3"), {database.Path(), sql});
        shell.waitForFinished(-1);
        shellOutput = QString::fromUtf8(shell.readAllStandardOutput()).trimmed();
        return shell.exitStatus() == QProcess::NormalExit ? shell.exitCode() : -1;
    }

    TestDatabase database;
    TADOConnection connection;
    QString shellOutput;
};

} // namespace

class TestSearchIndex : public QObject
{
    Q_OBJECT

private slots:
    void resultsEqualAScan();
    void theSearchDatasetReadsThroughTheIndex();
    void anotherConnectionsChanges();
    void anotherProcessesChangesWhileOpenAndWhileClosed();
    void triggersTakenAwayAreNoticed();
    void otherStatementsAndReadOnlyFilesAreScanned();
    void theIndexIsBuiltInTheBackgroundUntilClosed();
};

void TestSearchIndex::resultsEqualAScan()
{
    IndexedFile file;
    QVERIFY(file.connection.Index().Ready());
    file.CompareWithScan();
    file.CompareWithScan(QStringLiteral("SELECT * FROM  Table1 where porsesh like "));
    QCOMPARE(Keys(*file.connection.Index().Read(Statement(QStringLiteral("كتاب")))), (QStringList{"1", "2"}));
    QCOMPARE(Keys(*file.connection.Index().Read(Statement(QStringLiteral("الله")))), QStringList{"3"});
}

void TestSearchIndex::theSearchDatasetReadsThroughTheIndex()
{
    IndexedFile file;
    TADOQuery query;
    query.setConnection(&file.connection);
    query.SQL().Add(Statement(QStringLiteral("کتاب")));
    const int answers = file.connection.Index().Answers();
    query.Open();
    QCOMPARE(file.connection.Index().Answers(), answers + 1);
    QCOMPARE(query.RecordCount(), 2);
    QVERIFY(query.CanModify());
}

void TestSearchIndex::anotherConnectionsChanges()
{
    IndexedFile file;
    file.database.Execute(QStringLiteral("UPDATE Table1 SET pasokh = 'کتابی دیگر' WHERE id = 5;"
                                         "INSERT INTO Table1 VALUES (8, 't8', 'q', 'كتاب خدا', 's');"
                                         "DELETE FROM Table1 WHERE id = 1;"
                                         "UPDATE Table1 SET id = 9 WHERE id = 2;"));
    file.CompareWithScan();
    QCOMPARE(Keys(*file.connection.Index().Read(Statement(QStringLiteral("کتاب")))),
             (QStringList{"5", "8", "9"}));
    // Changes posted through this connection are taken in too.
    file.connection.Database().Execute("UPDATE Table1 SET pasokh = 'نه' WHERE id = 8");
    QCOMPARE(Keys(*file.connection.Index().Read(Statement(QStringLiteral("کتاب")))), (QStringList{"5", "9"}));
}

void TestSearchIndex::anotherProcessesChangesWhileOpenAndWhileClosed()
{
    IndexedFile file;
    // The shell, which knows none of our functions, writes the file through our triggers.
    QCOMPARE(file.Shell(QStringLiteral(
                 "UPDATE Table1 SET pasokh = 'سخن از كتاب' WHERE id = 3;"
                 "INSERT INTO Table1 (kholase, porsesh, pasokh) VALUES ('t10', 'q', 'می‌شود');")),
             0);
    file.CompareWithScan();
    QCOMPARE(Keys(*file.connection.Index().Read(Statement(QStringLiteral("کتاب")))),
             (QStringList{"1", "2", "3"}));
    file.connection.Close();
    QCOMPARE(
        file.Shell(QStringLiteral("DELETE FROM Table1 WHERE id = 1; UPDATE Table1 SET pasokh = 'نیست' "
                                  "WHERE id = 2; INSERT INTO Table1 VALUES (11, 't', 'q', 'کتاب', 's');")),
        0);
    file.connection.Open();
    QVERIFY(file.connection.Index().Ready());
    file.CompareWithScan();
    QCOMPARE(Keys(*file.connection.Index().Read(Statement(QStringLiteral("کتاب")))),
             (QStringList{"3", "11"}));
    QCOMPARE(file.Shell(QStringLiteral("PRAGMA integrity_check")), 0);
    QCOMPARE(file.shellOutput, QStringLiteral("ok"));
}

void TestSearchIndex::triggersTakenAwayAreNoticed()
{
    IndexedFile file;
    QCOMPARE(file.Shell(QStringLiteral("DROP TRIGGER velnora_search_updated;"
                                       "UPDATE Table1 SET pasokh = 'كتاب' WHERE id = 4;")),
             0);
    // Until the index is whole again the search reads every entry.
    QVERIFY(!file.connection.Index().Read(Statement(QStringLiteral("کتاب"))));
    QVERIFY(!file.connection.Index().Ready());
    file.Build();
    QVERIFY(file.connection.Index().Ready());
    QCOMPARE(Keys(*file.connection.Index().Read(Statement(QStringLiteral("کتاب")))),
             (QStringList{"1", "2", "4"}));
    file.CompareWithScan();
    // An index made under other folding rules is made anew.
    file.database.Execute(QStringLiteral("UPDATE velnora_search_state SET value = 1 WHERE name = 'folding'"));
    QVERIFY(!file.connection.Index().Read(Statement(QStringLiteral("کتاب"))));
    file.Build();
    file.CompareWithScan();
}

void TestSearchIndex::otherStatementsAndReadOnlyFilesAreScanned()
{
    IndexedFile file;
    SearchIndex& index = file.connection.Index();
    QVERIFY(!index.Read(QStringLiteral("SELECT * FROM Table1")));
    QVERIFY(!index.Read(Statement(QStringLiteral("کتاب")) + QStringLiteral(" OR 1")));
    QVERIFY(!index.Read(QStringLiteral("SELECT * FROM  Table1 where pasokh like '%کتاب%' escape '!'")));
    file.connection.Close();
    QFile::setPermissions(file.database.Path(), QFile::ReadOwner | QFile::ReadGroup);
    file.connection.Open();
    QVERIFY(!index.Step());
    QVERIFY(!index.Read(Statement(QStringLiteral("کتاب"))));
    QCOMPARE(Keys(file.connection.ReadResult(Statement(QStringLiteral("کتاب")))), (QStringList{"1", "2"}));
}

void TestSearchIndex::theIndexIsBuiltInTheBackgroundUntilClosed()
{
    // Enough entries for many steps.
    TestDatabase database(
        QString::fromUtf8(Collection) +
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 8 UNION ALL SELECT i + 1 FROM n WHERE i < 60000) "
                       "INSERT INTO Table1 SELECT i, 't', 'q', printf('پاسخ %d در کتاب', i), 's' "
                       "FROM n;"));
    // How far the index has come; 0 before its tables are made.
    const auto built = [&] {
        if (database.Value(
                QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'velnora_search_state'")) !=
            QStringLiteral("1"))
            return qint64(0);
        return database.Value(QStringLiteral("SELECT value FROM velnora_search_state WHERE name = 'built'"))
            .value_or(QString())
            .toLongLong();
    };
    {
        TADOConnection connection;
        connection.setConnectionString(QStringLiteral("Data Source=dorvanel.mdb"));
        connection.Open();
        QVERIFY(!connection.Index().Idle());
        QTRY_VERIFY_WITH_TIMEOUT(built() > 0, 30000);
        // Closing waits for the step under way, and no step follows.
        connection.Close();
        QVERIFY(connection.Index().Idle());
        const qint64 closedAt = built();
        QVERIFY(closedAt < 60000);
        QTest::qWait(500);
        QCOMPARE(built(), closedAt);
        QCOMPARE(database.Value(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));

        // Opened again, building goes on from there to the end without being asked.
        connection.Open();
        QTRY_VERIFY_WITH_TIMEOUT(connection.Index().Idle(), 120000);
        QVERIFY(connection.Index().Ready());
        QCOMPARE(built(), qint64(60000));
        const std::optional<TResultSet> found =
            connection.Index().Read(Statement(QStringLiteral("پاسخ 59999 ")));
        QVERIFY(found);
        QCOMPARE(Keys(*found), QStringList{"59999"});
    }
}

QTEST_GUILESS_MAIN(TestSearchIndex)
#include "TestSearchIndex.moc"
