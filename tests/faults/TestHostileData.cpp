#include "TestDatabase.h"
#include "TestProgram.h"

#include "TADOQuery.h"
#include "TADOTable.h"
#include "TApplication.h"
#include "TDBGrid.h"
#include "TDBMemo.h"
#include "TDBText.h"
#include "TDataSource.h"
#include "Unit2.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// The shown main window over a file built from the given SQL.
struct Window
{
    explicit Window(const QString& sql) : file(sql)
    {
        program = std::make_unique<TestProgram>();
        program->Window()->show();
        program->Window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->Window()));
        grid = program->Control<TDBGrid>("DBGrid2");
        question = program->Control<TDBMemo>("DBMemo1");
        answer = program->Control<TDBMemo>("DBMemo2");
    }
    TADOTable& Browse() const { return *Data->ADOaall; }
    void Type(TDBMemo* memo, const QString& text) const
    {
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(memo, text);
    }
    // Moves to the next entry from the list, which posts a pending change.
    void Next() const
    {
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);
    }
    void Search(const QString& phrase, int option) const
    {
        program->Control<QLineEdit>("Edit1")->setText(phrase);
        program->Control<QRadioButton>(option == 1 ? "RadioButton1" : "RadioButton2")->click();
        program->Control<QPushButton>("BitBtn1")->click();
    }
    QString Stored(const QString& sql) const { return file.Value(sql).value_or(QString()); }

    TestDatabase file;
    std::unique_ptr<TestProgram> program;
    TDBGrid* grid = nullptr;
    TDBMemo* question = nullptr;
    TDBMemo* answer = nullptr;
};

const QString Schema = QStringLiteral("CREATE TABLE Table1 (id INTEGER PRIMARY KEY, kholase VARCHAR(10), "
                                      "porsesh MEMO, pasokh MEMO, pavaraghi MEMO);"
                                      "CREATE VIEW Query1 AS SELECT * FROM Table1 ORDER BY id;");

} // namespace

class TestHostileData : public QObject
{
    Q_OBJECT

private slots:
    void tenMegabyteText();
    void megabyteWithoutBreakPoint_data();
    void megabyteWithoutBreakPoint();
    void pastedMegabyteWithoutBreakPoint();
    void nulCharacters();
    void invalidUtf8();
    void titleLongerThanDeclared();
    void queryThatIsNotAViewOverTheTable_data();
    void queryThatIsNotAViewOverTheTable();
};

void TestHostileData::tenMegabyteText()
{
    Window window(Schema +
                  QStringLiteral("INSERT INTO Table1 VALUES (1, 't1', 'q1', 'a1', 's1');"
                                 "INSERT INTO Table1 VALUES (2, 't2', 'q2', "
                                 "replace(hex(zeroblob(524288)), '00', 'نماز روزه ') || 'END', 's2');"));
    Boxes boxes;
    window.Next();
    QCOMPARE(window.answer->toPlainText().size(), 524288 * 10 + 3);
    QVERIFY(window.answer->toPlainText().endsWith(QLatin1String(" END")));
    window.Type(window.answer, QStringLiteral("!"));
    window.grid->setFocus();
    QTest::keyClick(window.grid, Qt::Key_Up);
    QCOMPARE(boxes.Texts(), QStringList());
    QCOMPARE(
        window.Stored(QStringLiteral("SELECT length(pasokh) || substr(pasokh, -4) FROM Table1 WHERE id = 2")),
        QStringLiteral("5242884END!"));
    // Searching the answers reads through it.
    window.Search(QStringLiteral("روزه END!"), 2);
    QCOMPARE(Data->ADOQuery1->RecordCount(), 1);
    QCOMPARE(boxes.Texts(), QStringList());
}

void TestHostileData::megabyteWithoutBreakPoint_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("Persian letter") << QStringLiteral("replace(hex(zeroblob(1000000)), '00', 'ن')");
    QTest::newRow("Latin letter") << QStringLiteral("replace(hex(zeroblob(1000000)), '00', 'x')");
    QTest::newRow("letters joined by no-break spaces")
        << QStringLiteral("replace(hex(zeroblob(500000)), '00', 'ن' || char(160))");
}

void TestHostileData::megabyteWithoutBreakPoint()
{
    QFETCH(QString, answer);
    Window window(Schema + QStringLiteral("INSERT INTO Table1 VALUES (1, 't1', 'q1', 'a1 a1', 's1');"
                                          "INSERT INTO Table1 VALUES (2, 't2', 'q2', %1, 's2');"
                                          "INSERT INTO Table1 VALUES (3, 't3', 'q3', 'a3', 's3');")
                               .arg(answer));
    Boxes boxes;
    const QString stored = QStringLiteral("SELECT pasokh = %1 || '%2' FROM Table1 WHERE id = 2").arg(answer);
    QCOMPARE(window.answer->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    window.Next();
    QCOMPARE(window.answer->toPlainText().size(), 1000000);
    // Clicked into and browsed past, the entry keeps its text.
    window.answer->setFocus();
    window.Next();
    QCOMPARE(window.answer->toPlainText(), QStringLiteral("a3"));
    QCOMPARE(window.answer->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTest::keyClick(window.grid, Qt::Key_Up);
    QCOMPARE(window.Stored(stored.arg(QString())), QStringLiteral("1"));
    window.Type(window.answer, QStringLiteral("!"));
    QCOMPARE(window.answer->toPlainText().size(), 1000001);
    window.Next();
    QCOMPARE(boxes.Texts(), QStringList());
    QCOMPARE(window.Stored(stored.arg(QLatin1Char('!'))), QStringLiteral("1"));
    QCOMPARE(window.Stored(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")),
             QStringLiteral("a1 a1"));
}

void TestHostileData::pastedMegabyteWithoutBreakPoint()
{
    Window window(Schema + QStringLiteral("INSERT INTO Table1 VALUES (1, 't1', 'q1', 'a1', 's1');"
                                          "INSERT INTO Table1 VALUES (2, 't2', 'q2', 'a2', 's2');"));
    Boxes boxes;
    const QString pasted(1000000, QLatin1Char('x'));
    QGuiApplication::clipboard()->setText(pasted);
    window.answer->setFocus();
    QTest::keyClick(window.answer, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(window.answer, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(window.answer->toPlainText().size(), 1000002);
    window.Next();
    QCOMPARE(boxes.Texts(), QStringList());
    QCOMPARE(window.Stored(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")),
             QStringLiteral("a1") + pasted);
}

void TestHostileData::nulCharacters()
{
    Window window(Schema + QStringLiteral("INSERT INTO Table1 VALUES (1, 't1', 'q' || char(0) || 'tail', "
                                          "'before' || char(0) || 'after', 's1');"));
    Boxes boxes;
    QCOMPARE(window.answer->toPlainText().size(), 12);
    // The stored text is kept to its last byte when another field, and when the field itself, is changed.
    window.Type(window.question, QStringLiteral("!"));
    window.Next();
    window.Type(window.answer, QStringLiteral("!"));
    window.Next();
    QCOMPARE(boxes.Texts(), QStringList());
    QCOMPARE(window.Stored(QStringLiteral("SELECT hex(pasokh) FROM Table1 WHERE id = 1")),
             QByteArray("before\0after!", 13).toHex().toUpper());
    QCOMPARE(window.Stored(QStringLiteral("SELECT hex(porsesh) FROM Table1 WHERE id = 1")),
             QByteArray("q\0tail!", 7).toHex().toUpper());
}

void TestHostileData::invalidUtf8()
{
    // Bytes that are not UTF-8 show as replacement characters; changing the entry is not mistaken for
    // another program's change, and the other entries keep their bytes.
    Window window(Schema +
                  QStringLiteral("INSERT INTO Table1 VALUES (1, 't1', CAST(X'71FF' AS TEXT), "
                                 "CAST(X'61C0AF62' AS TEXT), CAST(X'73FE' AS TEXT));"
                                 "INSERT INTO Table1 VALUES (2, 't2', 'q2', CAST(X'FF' AS TEXT), 's2');"));
    Boxes boxes;
    QVERIFY(window.answer->toPlainText().contains(QChar(QChar::ReplacementCharacter)));
    window.Type(window.answer, QStringLiteral("!"));
    window.Next();
    QCOMPARE(boxes.Texts(), QStringList());
    QVERIFY(
        window.Stored(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")).endsWith(QLatin1Char('!')));
    QCOMPARE(window.Stored(QStringLiteral("SELECT hex(pavaraghi) FROM Table1 WHERE id = 1")),
             QStringLiteral("73FE"));
    QCOMPARE(window.Stored(QStringLiteral("SELECT hex(pasokh) FROM Table1 WHERE id = 2")),
             QStringLiteral("FF"));
    window.Search(QStringLiteral("q"), 1);
    QCOMPARE(Data->ADOQuery1->RecordCount(), 2);
}

void TestHostileData::titleLongerThanDeclared()
{
    // A title longer than its declared ten characters is shown whole, and opening and closing the list's
    // editor on it does not cut it to the declared length.
    const QString title = QString(300, QLatin1Char('k'));
    Window window(Schema + QStringLiteral("INSERT INTO Table1 VALUES (1, '%1', 'q1', 'a1', 's1');"
                                          "INSERT INTO Table1 VALUES (2, 't2', 'q2', 'a2', 's2');")
                               .arg(title));
    Boxes boxes;
    QCOMPARE(window.program->Control<TDBText>("DBText1")->Text(), title);
    window.grid->setFocus();
    QTest::keyClick(window.grid, Qt::Key_F2);
    QVERIFY(window.grid->EditorOpen());
    QTest::keyClick(window.grid, Qt::Key_Return);
    window.Type(window.answer, QStringLiteral("!"));
    window.Next();
    QCOMPARE(boxes.Texts(), QStringList());
    QCOMPARE(window.Stored(QStringLiteral("SELECT kholase FROM Table1 WHERE id = 1")), title);
    QCOMPARE(window.Stored(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")), QStringLiteral("a1!"));
}

void TestHostileData::queryThatIsNotAViewOverTheTable_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("updatable");
    QTest::addColumn<QString>("stored");
    // Columns with an origin in one keyed table are written there; the rest stay read-only.
    QTest::newRow("computed title") << "CREATE VIEW Query1 AS SELECT id, kholase || '' AS kholase, porsesh, "
                                       "pasokh, pavaraghi FROM Table1"
                                    << true << "a1!";
    QTest::newRow("a join")
        << "CREATE VIEW Query1 AS SELECT a.id, a.kholase, a.porsesh, b.pasokh, a.pavaraghi "
           "FROM Table1 a JOIN Table2 b ON a.id = b.id"
        << false << "a1";
    QTest::newRow("a view over another table")
        << "CREATE VIEW Query1 AS SELECT * FROM Table2" << true << "a1";
    QTest::newRow("a table without a key") << "CREATE TABLE Query1 AS SELECT * FROM Table2" << false << "a1";
    QTest::newRow("no key column")
        << "CREATE VIEW Query1 AS SELECT kholase, porsesh, pasokh, pavaraghi FROM Table1" << false << "a1";
    // The second copy of an entry is then out of date, and a change of it is refused as a conflict.
    QTest::newRow("the same rows twice")
        << "CREATE VIEW Query1 AS SELECT * FROM Table1 UNION ALL SELECT * FROM Table1" << true << "a1!";
}

void TestHostileData::queryThatIsNotAViewOverTheTable()
{
    QFETCH(QString, query);
    QFETCH(bool, updatable);
    QFETCH(QString, stored);
    Boxes boxes;
    Window window(
        QStringLiteral("CREATE TABLE Table1 (id INTEGER PRIMARY KEY, kholase VARCHAR(50), porsesh MEMO, "
                       "pasokh MEMO, pavaraghi MEMO);"
                       "CREATE TABLE Table2 (id INTEGER PRIMARY KEY, kholase VARCHAR(50), porsesh MEMO, "
                       "pasokh MEMO, pavaraghi MEMO);"
                       "INSERT INTO Table1 VALUES (1, 't1', 'q1', 'a1', 's1');"
                       "INSERT INTO Table1 VALUES (2, 't2', 'q2', 'a2', 's2');"
                       "INSERT INTO Table2 SELECT * FROM Table1;") +
        query + QLatin1Char(';'));
    QCOMPARE(boxes.Texts(), QStringList());
    QCOMPARE(window.answer->toPlainText(), QStringLiteral("a1"));
    window.Type(window.answer, QStringLiteral("!"));
    QCOMPARE(window.answer->toPlainText(), updatable ? QStringLiteral("a1!") : QStringLiteral("a1"));
    window.Next();
    QCOMPARE(boxes.Texts(), QStringList());
    QCOMPARE(window.Stored(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")), stored);
    QCOMPARE(window.Browse().RecNo(), 2);
    // Searches over Table1 go on as before.
    window.Search(QStringLiteral("a"), 2);
    QCOMPARE(Data->ADOQuery1->RecordCount(), 2);
}

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Application->Initialize();
    TestHostileData test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestHostileData.moc"
