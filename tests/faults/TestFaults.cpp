#include "TestDatabase.h"
#include "TestProgram.h"

#include "TADOConnection.h"
#include "TADOTable.h"
#include "TApplication.h"
#include "TDBGrid.h"
#include "TDBMemo.h"
#include "TDataSource.h"
#include "Unit2.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

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

// A second program holding the file's write lock while it lives.
class WriteLock
{
public:
    explicit WriteLock(const QString& path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        QCOMPARE(sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    ~WriteLock() { Release(); }
    void Release()
    {
        if (m_db != nullptr) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(m_db);
            m_db = nullptr;
        }
    }

private:
    sqlite3* m_db = nullptr;
};

// The program's own connection may not grow the file beyond its present size.
void LimitGrowth(int extraPages)
{
    sqlite3* db = Data->ADOConnection1->Database().Handle();
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA page_count", -1, &statement, nullptr);
    sqlite3_step(statement);
    const int pages = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    const QByteArray limit = "PRAGMA max_page_count = " + QByteArray::number(pages + extraPages);
    sqlite3_exec(db, limit.constData(), nullptr, nullptr, nullptr);
}

enum class Fault
{
    Removed,
    Moved,
    ReadOnly,
    Locked,
    ChangedElsewhere,
    DeletedElsewhere,
    DiskFull,
};

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
    void deletingANewEntryKeepsTheOthers();
    void killedDuringABurstOfPosts();
};

void TestFaults::failedPostKeepsTheTypedText_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("message");
    // Whether the post succeeds once the fault is mended.
    QTest::addColumn<bool>("mendable");
    const QString removed =
        QStringLiteral("پس از باز شدن پاک، جابه‌جا یا جایگزین شد و "
                       "تغییر ذخیره نشد");
    const QString elsewhere = QStringLiteral("پس از خوانده شدن، آن را تغییر داده یا پاک کرده است");
    QTest::newRow("file removed") << Fault::Removed << removed << false;
    QTest::newRow("file moved away and back") << Fault::Moved << removed << true;
    QTest::newRow("file made read-only")
        << Fault::ReadOnly << QStringLiteral("فقط‌خواندنی است و تغییر ذخیره نشد")
        << true;
    QTest::newRow("file locked by another program")
        << Fault::Locked << QStringLiteral("را برنامه دیگری قفل کرده است") << true;
    QTest::newRow("entry changed by another program") << Fault::ChangedElsewhere << elsewhere << false;
    QTest::newRow("entry deleted by another program") << Fault::DeletedElsewhere << elsewhere << false;
    QTest::newRow("disk full") << Fault::DiskFull << QStringLiteral("پر است و تغییر ذخیره نشد") << true;
}

void TestFaults::failedPostKeepsTheTypedText()
{
    QFETCH(Fault, fault);
    QFETCH(QString, message);
    QFETCH(bool, mendable);
    TestDatabase file(TestDatabase::Collection(5, 50));
    BrowseView view;
    // Another entry saved before the fault stays saved through it.
    view.answer->setFocus();
    QTest::keyClicks(view.answer, QStringLiteral("saved "));
    view.ClickRow(1);
    QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")),
             QStringLiteral("saved a1"));

    view.answer->setFocus();
    QTest::keyClick(view.answer, Qt::Key_End, Qt::ControlModifier);
    // Long enough to need new pages of the file.
    const QString typed = QStringLiteral(" mine") + QString(20000, QChar(0x0646));
    QTest::keyClicks(view.answer, QStringLiteral(" mine"));
    view.answer->insertPlainText(typed.mid(5));
    const QString path = file.Path();
    std::unique_ptr<WriteLock> lock;
    switch (fault) {
    case Fault::Removed:
        QVERIFY(QFile::remove(path));
        break;
    case Fault::Moved:
        QVERIFY(QFile::rename(path, path + QStringLiteral(".away")));
        break;
    case Fault::ReadOnly:
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        break;
    case Fault::Locked:
        lock = std::make_unique<WriteLock>(path);
        break;
    case Fault::ChangedElsewhere:
        file.Execute(QStringLiteral("UPDATE Table1 SET pasokh = 'theirs' WHERE id = 2"));
        break;
    case Fault::DeletedElsewhere:
        file.Execute(QStringLiteral("DELETE FROM Table1 WHERE id = 2"));
        break;
    case Fault::DiskFull:
        LimitGrowth(0);
        break;
    }

    Boxes boxes;
    view.ClickRow(3);
    QCOMPARE(boxes.Texts().size(), 1);
    const QString shown = boxes.Texts().first();
    QVERIFY2(shown.contains(message), qPrintable(shown));
    // A Persian sentence naming the file by its name, kept left to right, not by its long path.
    QVERIFY2(shown.isRightToLeft(), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("\u200Edorvanel.mdb\u200E")), qPrintable(shown));
    QVERIFY2(!shown.contains(file.Folder()), qPrintable(shown));
    // The reader's text is where it was typed, and the entry is still being edited.
    QCOMPARE(view.answer->toPlainText(), QStringLiteral("a2") + typed);
    QCOMPARE(view.Browse().State(), TDataSetState::dsEdit);
    QCOMPARE(view.Browse().RecNo(), 2);

    switch (fault) {
    case Fault::Moved:
        QVERIFY(QFile::rename(path + QStringLiteral(".away"), path));
        break;
    case Fault::ReadOnly:
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        break;
    case Fault::Locked:
        lock->Release();
        break;
    case Fault::DiskFull:
        LimitGrowth(1000);
        break;
    default:
        break;
    }
    if (QFile::exists(path)) {
        QCOMPARE(file.Value(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")),
                 QStringLiteral("saved a1"));
        QCOMPARE(file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 5")), QStringLiteral("a5"));
    }
    if (!mendable)
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
    TestFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestFaults.moc"
