#include "Exceptions.h"
#include "JetDatabase.h"
#include "JetQueryTranslator.h"
#include "JetReaderProtocol.h"
#include "JetValue.h"
#include "TestPaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include <csignal>
#include <memory>

namespace {

using Database = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;

Database Memory()
{
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    return Database(db, sqlite3_close);
}

// The values of one query, rows joined by newlines and columns by tabs.
QString Values(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        return QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db));
    QStringList rows;
    int stepped = SQLITE_ROW;
    while ((stepped = sqlite3_step(statement)) == SQLITE_ROW) {
        QStringList columns;
        for (int i = 0; i < sqlite3_column_count(statement); ++i)
            columns.append(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i))));
        rows.append(columns.join(QLatin1Char('\t')));
    }
    sqlite3_finalize(statement);
    if (stepped != SQLITE_DONE)
        return QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db));
    return rows.join(QLatin1Char('\n'));
}

QString Load(const QString& path, sqlite3* db, JetLoadReport* report = nullptr,
             const JetLoadOptions& options = {})
{
    try {
        LoadJetDatabase(path, db, report, options);
        return QString();
    } catch (const EOleException& e) {
        return e.Message();
    }
}

// A copy of the query test file in which the stored delete query has become a plain select over
// Table1: the byte after the query's object id and the type attribute is its type (5, delete).
QString SimpleSelectCopy(const QTemporaryDir& folder)
{
    QByteArray bytes = FixtureBytes(QStringLiteral("jet/queryTestV2000.mdb"));
    const QByteArray deleteType = QByteArray::fromHex("0c000080010500");
    const int at = bytes.indexOf(deleteType);
    if (at < 0 || bytes.indexOf(deleteType, at + 1) >= 0)
        return QString();
    bytes[at + 5] = 1;
    const QString path = folder.filePath(QStringLiteral("select.mdb"));
    QFile copy(path);
    copy.open(QIODevice::WriteOnly);
    copy.write(bytes);
    return path;
}

// A Jet file kept with the tests (tests/data/jet, see its NOTICE).
QString TestData(const QString& name)
{
    return QDir(SourceDir()).filePath(QStringLiteral("tests/data/jet/") + name);
}

// Makes the helper program crash where it reads this place ("TABLE" or "TABLE.COLUMN") while it lives.
class HelperCrashesAt
{
public:
    explicit HelperCrashesAt(const QString& place)
    {
        qputenv(JetReaderProtocol::kTestCrashVariable, place.toUtf8());
    }
    ~HelperCrashesAt() { qunsetenv(JetReaderProtocol::kTestCrashVariable); }
    HelperCrashesAt(const HelperCrashesAt&) = delete;
    HelperCrashesAt& operator=(const HelperCrashesAt&) = delete;
};

QString WriteCopy(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

} // namespace

Q_DECLARE_METATYPE(JetQueryRow)

class TestJet : public QObject
{
    Q_OBJECT

private slots:
    void arabicBook()
    {
        const Database db = Memory();
        JetLoadReport report;
        QCOMPARE(Load(FixturePath(QStringLiteral("jet/170.mdb")), db.get(), &report), QString());
        QCOMPARE(report.tables.size(), 2);
        QCOMPARE(report.tables.at(0).name, QStringLiteral("book"));
        QCOMPARE(report.tables.at(0).rows, 7088);
        QCOMPARE(Values(db.get(),
                        QStringLiteral("SELECT count(*), min(id), max(id), max(length(nass)) FROM book")),
                 QStringLiteral("7088\t4\t7110\t4118"));
        // Memo lines are split by a lone carriage return, which must come through as it is.
        QCOMPARE(
            Values(db.get(), QStringLiteral("SELECT count(*) FROM book WHERE instr(nass, char(10)) > 0")),
            QStringLiteral("0"));
        QVERIFY(Values(db.get(), QStringLiteral("SELECT count(*) FROM book WHERE instr(nass, char(13)) > 0"))
                    .toInt() > 0);
        QCOMPARE(
            Values(db.get(),
                   QStringLiteral("SELECT count(*), tit FROM title WHERE id = (SELECT min(id) FROM title)")),
            QStringLiteral("1\tكتاب الإيمان - الفصل الأول"));
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT count(*) FROM title")), QStringLiteral("232"));
        // The copy refuses changes: they could never reach the Jet file.
        QCOMPARE(Values(db.get(), QStringLiteral("DELETE FROM title")),
                 QStringLiteral("error: attempt to write a readonly database"));
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT name, type FROM pragma_table_info('book')")),
                 QStringLiteral("id\tINTEGER\nnass\tTEXT\npart\tINTEGER\npage\tINTEGER\nhno\tINTEGER"));
        // A null number stays null, and searching works on the loaded text.
        QVERIFY(Values(db.get(), QStringLiteral("SELECT count(*) FROM book WHERE hno IS NULL")).toInt() > 0);
        QVERIFY(Values(db.get(), QStringLiteral("SELECT count(*) FROM book WHERE nass LIKE '%الإيمان%'"))
                    .toInt() > 0);
    }

    void arabicSingleRow()
    {
        const Database db = Memory();
        QCOMPARE(Load(FixturePath(QStringLiteral("jet/3685111.mdb")), db.get()), QString());
        const QString poets = QStringLiteral("الشعراء الستة الجاهليون");
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT nass FROM book")).toUtf8(), poets.toUtf8());
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT tit FROM title")).toUtf8(), poets.toUtf8());
    }

    void unicodeCompression()
    {
        const Database db = Memory();
        QCOMPARE(Load(FixturePath(QStringLiteral("jet/testUnicodeCompV2003.mdb")), db.get()), QString());
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT name, type, pk FROM pragma_table_info('Table')")),
                 QStringLiteral("ID\tINTEGER\t1\nUnicode\tVARCHAR(255)\t0"));
        const QStringList expected = {QStringLiteral("only ascii chars"), QStringLiteral("ääkkösiä"),
                                      QStringLiteral("Мир"), QStringLiteral("ϰαὶ τ\u1F79τ' ἐγὼ Κ\u1F7Bϰλωπα"),
                                      QStringLiteral("漢字仮名交じり文")};
        for (int id = 1; id <= expected.size(); ++id) {
            QCOMPARE(Values(db.get(), QStringLiteral("SELECT Unicode FROM \"Table\" WHERE ID = %1").arg(id))
                         .toUtf8(),
                     expected.at(id - 1).toUtf8());
        }
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT Unicode FROM \"Table\" WHERE ID = 7")).toUtf8(),
                 QStringLiteral("ümlaut").toUtf8());
        QString every;
        for (ushort code = 1; code <= 0xFF; ++code)
            every += QChar(code);
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db.get(), "SELECT Unicode FROM \"Table\" WHERE ID = 8", -1, &statement, nullptr);
        QCOMPARE(sqlite3_step(statement), SQLITE_ROW);
        const QByteArray row8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                              sqlite3_column_bytes(statement, 0));
        sqlite3_finalize(statement);
        QCOMPARE(row8, every.toUtf8());
    }

    void emptyJet4()
    {
        const Database db = Memory();
        JetLoadReport report;
        QCOMPARE(Load(FixturePath(QStringLiteral("jet/emptyJet4.mdb")), db.get(), &report), QString());
        QVERIFY(report.tables.isEmpty());
        QVERIFY(!report.browseQuery);
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT count(*) FROM sqlite_schema")), QStringLiteral("0"));
    }

    void rejected_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("cause");
        const QByteArray book = FixtureBytes(QStringLiteral("jet/170.mdb"));
        QTest::newRow("empty") << "empty.mdb" << QByteArray() << QStringLiteral("پرونده خالی است");
        QTest::newRow("foreign") << "foreign.mdb" << FixtureBytes(QStringLiteral("jet/NOTICE"))
                                 << QStringLiteral("پرونده پایگاه داده Access (Jet) نیست");
        QTest::newRow("cut mid-page")
            << "half.mdb" << book.left(book.size() / 2 + 1000) << QStringLiteral("پرونده ناقص است");
        QTest::newRow("cut before the catalogue")
            << "six.mdb" << book.left(6 * 2048)
            << QStringLiteral("فهرست جدول‌های آن خوانده نشد");
        QTest::newRow("cut within the tables")
            << "fifty.mdb" << book.left(500 * 2048) << QStringLiteral("خوانده نشد");
        QByteArray ace = FixtureBytes(QStringLiteral("jet/emptyJet4.mdb"));
        ace.replace(4, 15, "Standard ACE DB");
        QTest::newRow("Access 2007") << "ace.mdb" << ace
                                     << QStringLiteral(
                                            "تنها پرونده‌های Jet 3 و Jet 4 (Access 97 تا "
                                            "2003) خوانده می‌شوند. آن را در Access با "
                                            "قالب 2002-2003 ذخیره کنید");
    }

    void rejected()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, cause);
        const QTemporaryDir folder;
        const QString path = WriteCopy(folder, name, bytes);
        const Database db = Memory();
        const QString error = Load(path, db.get());
        QVERIFY2(error.startsWith(QStringLiteral("مجموعه Access \u200E%1\u200E خوانده نشد: ").arg(name)),
                 qPrintable(error));
        QVERIFY2(error.contains(cause), qPrintable(error));
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT count(*) FROM sqlite_schema")), QStringLiteral("0"));
    }

    // One changed byte, found by damaging a copy at random: libmdb loops for ever on it. That may not
    // hang the caller.
    void damaged_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("cause");
        QTest::newRow("hangs libmdb")
            << 0x3def2 << 0x1a << QStringLiteral("خواندن آن پیش نرفت (شاید پرونده آسیب دیده باشد)");
    }

    void damaged()
    {
#ifdef __SANITIZE_ADDRESS__
        QSKIP(
            "libmdb's behaviour on these bytes depends on the contents of fresh memory, which the sanitizer "
            "changes");
#endif
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(QString, cause);
        QByteArray bytes = FixtureBytes(QStringLiteral("jet/testUnicodeCompV2003.mdb"));
        bytes[offset] = char(value);
        const QTemporaryDir folder;
        const QString path = WriteCopy(folder, QStringLiteral("damaged.mdb"), bytes);
        const Database db = Memory();
        QCOMPARE(Load(path, db.get()),
                 QStringLiteral("مجموعه Access \u200Edamaged.mdb\u200E خوانده نشد: %1.").arg(cause));
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT count(*) FROM sqlite_schema")), QStringLiteral("0"));
    }

    // A crash of the helper on one table or column costs that table or column, and the report says so.
    void helperCrashCostsOnlyItsPlace_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("tables");
        QTest::addColumn<QString>("bookColumns");
        QTest::addColumn<QString>("note");
        const QString all = QStringLiteral("id,nass,part,page,hno");
        QTest::newRow("a memo column") << "book.nass"
                                       << "book\ntitle"
                                       << "id,part,page,hno"
                                       << "Column \"nass\" of table \"book\" is left out: reading it made "
                                          "the reader crash (the file is damaged there).";
        QTest::newRow("a number column") << "book.hno"
                                         << "book\ntitle"
                                         << "id,nass,part,page"
                                         << "Column \"hno\" of table \"book\" is left out: reading it made "
                                            "the reader crash (the file is damaged there).";
        QTest::newRow("a table") << "title"
                                 << "book" << all
                                 << "Table \"title\" is left out: reading it made the reader crash (the file "
                                    "is damaged there).";
    }

    void helperCrashCostsOnlyItsPlace()
    {
        QFETCH(QString, place);
        QFETCH(QString, tables);
        QFETCH(QString, bookColumns);
        QFETCH(QString, note);
        const HelperCrashesAt crash(place);
        const Database db = Memory();
        JetLoadReport report;
        QCOMPARE(Load(TestData(QStringLiteral("3685111.mdb")), db.get(), &report), QString());
        QCOMPARE(Values(db.get(),
                        QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name")),
                 tables);
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT group_concat(name) FROM pragma_table_info('book')")),
                 bookColumns);
        QVERIFY2(report.notCarried.contains(note), qPrintable(report.notCarried.join(QLatin1Char('\n'))));
        // Everything else came over whole.
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT count(*) FROM book")), QStringLiteral("1"));
        if (tables.contains(QLatin1String("title")))
            QCOMPARE(Values(db.get(), QStringLiteral("SELECT tit FROM title")).toUtf8(),
                     QStringLiteral("الشعراء الستة الجاهليون").toUtf8());
    }

    void importerCarriesOverAllButTheCrashedColumn()
    {
        const HelperCrashesAt crash(QStringLiteral("book.nass"));
        const QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("dorvanel.mdb"));
        QProcess importer;
        importer.start(QStringLiteral(VELNORA_IMPORT_PROGRAM),
                       {TestData(QStringLiteral("3685111.mdb")), target});
        QVERIFY(importer.waitForFinished(60000));
        const QString output = QString::fromUtf8(importer.readAllStandardOutput());
        QCOMPARE(importer.exitCode(), 0);
        QVERIFY2(output.contains(QStringLiteral("Table book: 1 rows\nTable title: 1 rows\n")),
                 qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("Not carried over: Column \"nass\" of table \"book\" is left "
                                                "out: reading it made the reader crash (the file is damaged "
                                                "there).\n")),
                 qPrintable(output));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("dorvanel.mdb")});
    }

    // One changed byte, found by damaging a copy at random, on which libmdb crashes while it reads the
    // file's one table: that table is lost, and the file is still read.
    void genuineCrashCostsItsTable()
    {
#ifdef __SANITIZE_ADDRESS__
        QSKIP(
            "libmdb's behaviour on these bytes depends on the contents of fresh memory, which the sanitizer "
            "changes");
#endif
        QFile original(TestData(QStringLiteral("testUnicodeCompV2003.mdb")));
        QVERIFY(original.open(QIODevice::ReadOnly));
        QByteArray bytes = original.readAll();
        bytes[0x37f32] = char(0x42);
        const QTemporaryDir folder;
        const QString path = WriteCopy(folder, QStringLiteral("damaged.mdb"), bytes);
        const Database db = Memory();
        JetLoadReport report;
        QCOMPARE(Load(path, db.get(), &report), QString());
        QVERIFY(report.tables.isEmpty());
        QCOMPARE(report.notCarried.first(),
                 QStringLiteral("Table \"Table\" is left out: reading it made the reader crash (the file is "
                                "damaged there)."));
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT count(*) FROM sqlite_schema")), QStringLiteral("0"));
    }

    void missingFile()
    {
        const Database db = Memory();
        const QString error = Load(QStringLiteral("/nonexistent/dorvanel.mdb"), db.get());
        QCOMPARE(error,
                 QStringLiteral("مجموعه Access \u200Edorvanel.mdb\u200E خوانده نشد: پرونده وجود ندارد."));
        QVERIFY(!IsJetFile(QStringLiteral("/nonexistent/dorvanel.mdb")));
    }

    void signature()
    {
        QVERIFY(IsJetFile(FixturePath(QStringLiteral("jet/170.mdb"))));
        QVERIFY(IsJetFile(FixturePath(QStringLiteral("jet/emptyJet4.mdb"))));
        QVERIFY(!IsJetFile(FixturePath(QStringLiteral("jet/NOTICE"))));
    }

    void simpleStoredSelect()
    {
        const QTemporaryDir folder;
        const QString path = SimpleSelectCopy(folder);
        QVERIFY(!path.isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        const Database db = Memory();
        JetLoadReport report;
        JetLoadOptions options;
        options.browseQuery = QStringLiteral("DeleteQuery");
        QCOMPARE(Load(path, db.get(), &report, options), QString());
        QVERIFY(report.browseQuery);
        QCOMPARE(
            Values(db.get(), QStringLiteral("SELECT sql FROM sqlite_schema WHERE name = 'Query1'")),
            QStringLiteral("CREATE VIEW \"Query1\" AS SELECT \"Table1\".\"col1\", \"Table1\".\"col2\", "
                           "\"Table1\".\"col3\" FROM \"Table1\" WHERE (((\"Table1\".\"col1\")>'blah'))"));
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT count(*) FROM Query1")), QStringLiteral("0"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before); // nothing is ever written to the Jet file
    }

    void untranslatableStoredQuery_data()
    {
        QTest::addColumn<QString>("query");
        for (const char* name : {"SelectQuery", "UpdateQuery", "AppendQuery", "DeleteQuery", "MakeTableQuery",
                                 "CrosstabQuery", "UnionQuery", "PassthroughQuery", "DataDefinitionQuery"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void untranslatableStoredQuery()
    {
        QFETCH(QString, query);
        const Database db = Memory();
        JetLoadReport report;
        JetLoadOptions options;
        options.browseQuery = query;
        QCOMPARE(Load(FixturePath(QStringLiteral("jet/queryTestV2000.mdb")), db.get(), &report, options),
                 QString());
        QVERIFY(!report.browseQuery);
        QCOMPARE(report.notCarried.size(), 9); // the eight other queries are left out
        QVERIFY2(report.notCarried.first().startsWith(
                     QStringLiteral("The stored query \"%1\" cannot be translated: ").arg(query)),
                 qPrintable(report.notCarried.first()));
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE name = 'Query1'")),
                 QStringLiteral("0"));
        QCOMPARE(report.tables.size(), 3);
        // Jet 4 declares a text's size in bytes, two a character.
        QCOMPARE(Values(db.get(), QStringLiteral("SELECT name, type, pk FROM pragma_table_info('Table2')")),
                 QStringLiteral("col1\tVARCHAR(50)\t0\ncol2\tVARCHAR(50)\t0\ncol3\tVARCHAR(50)\t0"));
    }

    void translation_data()
    {
        QTest::addColumn<QList<JetQueryRow>>("rows");
        QTest::addColumn<QString>("sql");
        const JetQueryRow select{JetQueryRow::Type, QByteArray(), {}, {}, {}, 1};
        const JetQueryRow table1{JetQueryRow::Table, QByteArray(), QStringLiteral("Table1"), {}, {}, 0};
        const auto column = [](const char* expression, const char* alias = "") {
            return JetQueryRow{JetQueryRow::Column,           QByteArray(),
                               QString::fromUtf8(alias),      {},
                               QString::fromUtf8(expression), 0};
        };
        const auto row = [](int attribute, const char* expression, const char* name1 = "", int flag = 0) {
            return JetQueryRow{
                attribute, QByteArray(), QString::fromUtf8(name1), {}, QString::fromUtf8(expression), flag};
        };
        QTest::newRow("all columns, ordered")
            << QList<JetQueryRow>{select, row(JetQueryRow::Flags, "", "", 1), table1,
                                  row(JetQueryRow::OrderBy, "[ID]")}
            << "SELECT * FROM \"Table1\" ORDER BY \"ID\"";
        QTest::newRow("distinct, alias, descending")
            << QList<JetQueryRow>{select, row(JetQueryRow::Flags, "", "", 2), table1,
                                  column("[kholase]", "title"),
                                  row(JetQueryRow::OrderBy, "Table1.[kholase]", "D")}
            << "SELECT DISTINCT \"kholase\" AS \"title\" FROM \"Table1\" ORDER BY \"Table1\".\"kholase\" "
               "DESC";
        QTest::newRow("like, quotes and concatenation")
            << QList<JetQueryRow>{select, table1, column("[a] & \"-\" & [b]", "ab"),
                                  row(JetQueryRow::Where,
                                      "[a] Like \"x*y?\" And [b]<>'it''s' Or Not [c] Is Null")}
            << "SELECT \"a\" || '-' || \"b\" AS \"ab\" FROM \"Table1\" WHERE \"a\" LIKE 'x%y_' AND "
               "\"b\"<>'it''s' OR "
               "NOT \"c\" IS NULL";
        QTest::newRow("function") << QList<JetQueryRow>{select, table1, column("Left([a],2)")} << QString();
        QTest::newRow("date literal")
            << QList<JetQueryRow>{select, table1, column("[a]"), row(JetQueryRow::Where, "[d]>#1/2/2000#")}
            << QString();
        QTest::newRow("form reference") << QList<JetQueryRow>{select, table1, column("[a]"),
                                                              row(JetQueryRow::Where, "[a]=[Forms]![F]![c]")}
                                        << QString();
        QTest::newRow("join") << QList<JetQueryRow>{select, table1, column("[a]"),
                                                    row(JetQueryRow::Join, "[a]=[b]")}
                              << QString();
        QTest::newRow("top") << QList<JetQueryRow>{select, row(JetQueryRow::Flags, "", "", 0x10), table1,
                                                   column("[a]")}
                             << QString();
        QTest::newRow("unknown table")
            << QList<JetQueryRow>{select, row(JetQueryRow::Table, "", "Query2"), column("[a]")} << QString();
    }

    void translation()
    {
        QFETCH(QList<JetQueryRow>, rows);
        QFETCH(QString, sql);
        QString reason;
        QCOMPARE(TranslateStoredQuery(rows, {QStringLiteral("Table1")}, &reason), sql);
        QCOMPARE(reason.isEmpty(), !sql.isEmpty());
    }

    void dates_data()
    {
        QTest::addColumn<double>("jet");
        QTest::addColumn<QString>("text");
        QTest::newRow("day zero") << 0.0 << "1899-12-30 00:00:00";
        QTest::newRow("noon") << 36526.5 << "2000-01-01 12:00:00";
        QTest::newRow("one second") << 1.0 / 86400 << "1899-12-30 00:00:01";
        QTest::newRow("rounds up to the next day") << 2.9999999999 << "1900-01-02 00:00:00";
        QTest::newRow("before day zero, time counts forward") << -1.25 << "1899-12-29 06:00:00";
    }

    void dates()
    {
        QFETCH(double, jet);
        QFETCH(QString, text);
        QCOMPARE(JetValue::DateText(jet), text);
    }

    void singles()
    {
        QCOMPARE(JetValue::SingleText(0.1f), QStringLiteral("0.1"));
        QCOMPARE(JetValue::SingleText(16777216.0f), QStringLiteral("16777216"));
        QCOMPARE(JetValue::SingleText(1.0f / 3.0f).toFloat(), 1.0f / 3.0f);
    }

    void importerOutputOpensInSqlite()
    {
        const QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("dorvanel.mdb"));
        QProcess importer;
        importer.start(QStringLiteral(VELNORA_IMPORT_PROGRAM),
                       {FixturePath(QStringLiteral("jet/170.mdb")), target});
        QVERIFY(importer.waitForFinished(60000));
        const QString output = QString::fromUtf8(importer.readAllStandardOutput());
        QCOMPARE(importer.exitCode(), 0);
        QVERIFY(output.contains(QStringLiteral("Table book: 7088 rows")));
        QVERIFY(
            output.contains(QStringLiteral("Not carried over: The file has no stored query \"Query1\".")));
        QVERIFY(output.contains(QStringLiteral("Reading: 100% (7320 of 7320 rows)")));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("dorvanel.mdb")});

        QProcess shell;
        shell.start(QStringLiteral("sqlite3"),
                    {target, QStringLiteral(
                                 "SELECT count(*), min(id), max(id) FROM book; PRAGMA table_info(book);")});
        QVERIFY(shell.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(shell.readAllStandardOutput()),
                 QStringLiteral("7088|4|7110\n0|ImportID|INTEGER|0||1\n1|id|INTEGER|0||0\n2|nass|TEXT|0||0\n"
                                "3|part|INTEGER|0||0\n4|page|INTEGER|0||0\n5|hno|INTEGER|0||0\n"));
    }

    void importerMakesQuery1()
    {
        const QTemporaryDir folder;
        const QString source = SimpleSelectCopy(folder);
        const QString target = folder.filePath(QStringLiteral("dorvanel.mdb"));
        QProcess importer;
        importer.start(QStringLiteral(VELNORA_IMPORT_PROGRAM),
                       {QStringLiteral("--query"), QStringLiteral("DeleteQuery"), source, target});
        QVERIFY(importer.waitForFinished(60000));
        QCOMPARE(importer.exitCode(), 0);
        const QString output = QString::fromUtf8(importer.readAllStandardOutput());
        QVERIFY2(output.contains(QStringLiteral("Query1: made from the stored query \"DeleteQuery\"\n")),
                 qPrintable(output));
        QVERIFY(output.contains(
            QStringLiteral("Not carried over: The stored query \"SelectQuery\" is left out; only "
                           "\"DeleteQuery\" becomes the view Query1.\n")));

        QProcess shell;
        shell.start(
            QStringLiteral("sqlite3"),
            {target, QStringLiteral(
                         "SELECT count(*) FROM Query1; SELECT name, pk FROM pragma_table_info('Table1');")});
        QVERIFY(shell.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(shell.readAllStandardOutput()),
                 QStringLiteral("0\nID|1\ncol1|0\ncol2|0\ncol3|0\n"));
    }

    void importerKeepsExistingTarget()
    {
        const QTemporaryDir folder;
        const QString target = WriteCopy(folder, QStringLiteral("dorvanel.mdb"), "mine");
        QProcess importer;
        importer.start(QStringLiteral(VELNORA_IMPORT_PROGRAM),
                       {FixturePath(QStringLiteral("jet/3685111.mdb")), target});
        QVERIFY(importer.waitForFinished(60000));
        QCOMPARE(importer.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(importer.readAllStandardError()),
                 QStringLiteral(
                     "velnora-import: Cannot import into \"%1\": it already exists, and an import never "
                     "overwrites a file.\n")
                     .arg(target));
        QFile kept(target);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("mine"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void importerFailingMidwayLeavesNothing()
    {
        const QTemporaryDir folder;
        const QString source = WriteCopy(folder, QStringLiteral("cut.mdb"),
                                         FixtureBytes(QStringLiteral("jet/170.mdb")).left(500 * 2048));
        const QString target = folder.filePath(QStringLiteral("dorvanel.mdb"));
        QProcess importer;
        importer.start(QStringLiteral(VELNORA_IMPORT_PROGRAM), {source, target});
        QVERIFY(importer.waitForFinished(60000));
        QCOMPARE(importer.exitCode(), 1);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("cut.mdb")});
    }

    void importerInterruptedLeavesNothing()
    {
        const QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("dorvanel.mdb"));
        QProcess importer;
        importer.start(QStringLiteral(VELNORA_IMPORT_PROGRAM),
                       {FixturePath(QStringLiteral("jet/170.mdb")), target});
        // The first line comes once the temporary file exists and before the reading starts.
        QVERIFY(importer.waitForReadyRead(30000));
        ::kill(pid_t(importer.processId()), SIGTERM);
        QVERIFY(importer.waitForFinished(30000));
        QCOMPARE(importer.exitStatus(), QProcess::CrashExit);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestJet)
#include "tst_jet.moc"
