// Searches of the answers through the window, from the press of the search button until the count is
// shown (or the box saying nothing was found), against the sqlite3 shell running the same statement
// with its built-in LIKE over the same file: three phrases over 100,000 entries of about 2 KB, and one
// found in a few entries over 1,000,000. The collections are indexed once (SearchIndex) and kept in
// the cache; when it is built, the time that took behind the shown window and the longest the window's
// events waited meanwhile are shown.
// Also our folding LIKE against the built-in one, counting alone, as a search reads every entry
// while the index is not ready and in files that cannot carry one.
#include "BenchSupport.h"
#include "FoldingLike.h"

#include "TADOConnection.h"
#include "TADOQuery.h"
#include "TApplication.h"
#include "Unit1.h"
#include "Unit2.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <sqlite3.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int Runs = 3;

QString Statement(const QString& phrase)
{
    return QStringLiteral("SELECT * FROM  Table1 where pasokh like '%") + phrase + QStringLiteral("%'");
}

double ShellMs(const QString& path, const QString& phrase)
{
    return MedianMs(Runs, [&] {
        QProcess shell;
        shell.setStandardOutputFile(QProcess::nullDevice());
        shell.start(QStringLiteral("sqlite3"), {path, Statement(phrase)});
        shell.waitForFinished(-1);
    });
}

// Counting the matches alone, with the built-in LIKE or with ours.
double CountMs(const QString& path, const QString& phrase, bool folding, int& matches)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (folding)
        RegisterFoldingLike(db);
    const QByteArray sql =
        QStringLiteral("SELECT count(*) FROM Table1 WHERE pasokh LIKE '%%1%'").arg(phrase).toUtf8();
    const double ms = MedianMs(Runs, [&] {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
        if (sqlite3_step(statement) == SQLITE_ROW)
            matches = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
    });
    sqlite3_close(db);
    return ms;
}

// The main window over a collection, searching the answers.
class Reader
{
public:
    explicit Reader(const QString& path)
    {
        QFile::link(path, m_folder.filePath(QStringLiteral("dorvanel.mdb")));
        QDir::setCurrent(m_folder.path());
        Form1 = new TForm1;
        Data = new TData;
        m_box = Form1->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        m_search = Form1->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
        Form1->findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->click();
    }
    ~Reader()
    {
        delete Data;
        delete Form1;
        Data = nullptr;
        Form1 = nullptr;
    }

    // From the press of the button until the count is shown, or until the box saying that nothing was
    // found appears (it is then closed).
    double SearchMs(const QString& phrase, int& found)
    {
        std::vector<double> times;
        for (int run = 0; run < Runs; ++run) {
            m_box->setText(phrase);
            QElapsedTimer clock;
            double boxShown = -1;
            QTimer watch;
            QObject::connect(&watch, &QTimer::timeout, [&] {
                if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    boxShown = double(clock.nsecsElapsed()) / 1e6;
                    box->done(0);
                }
            });
            watch.start(0);
            clock.start();
            m_search->click();
            const double ms = boxShown >= 0 ? boxShown : double(clock.nsecsElapsed()) / 1e6;
            found = boxShown >= 0 ? 0 : Data->ADOQuery1->RecordCount();
            times.push_back(ms);
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }

private:
    QTemporaryDir m_folder;
    QLineEdit* m_box = nullptr;
    QPushButton* m_search = nullptr;
};

// A copy of the cached collection with its index built, kept beside it. The index is built as the
// reader meets it: the window is shown over the file and the index is built behind it, while a timer
// of the window measures how long its events wait at most.
QString IndexedCollection(int entries, int averageBytes)
{
    const QString plain = CachedCollection(entries, averageBytes);
    const QString indexed = plain.chopped(4) + QStringLiteral("-indexed.mdb");
    if (QFile::exists(indexed))
        return indexed;
    const QString partial = indexed + QStringLiteral(".part");
    QFile::remove(partial);
    QFile::copy(plain, partial);
    {
        Reader reader(partial);
        Form1->show();
        constexpr int tickMs = 10;
        QElapsedTimer whole;
        whole.start();
        QElapsedTimer sinceTick;
        sinceTick.start();
        double longest = 0;
        QEventLoop building;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, double(sinceTick.nsecsElapsed()) / 1e6 - tickMs);
            sinceTick.restart();
            if (Data->ADOConnection1->Index().Idle())
                building.quit();
        });
        tick.start(tickMs);
        building.exec();
        const bool ready = Data->ADOConnection1->Index().Ready();
        const QString size = QString::number(entries);
        Report(QStringLiteral("index of %1 entries built behind the window%2")
                   .arg(size, ready ? QString() : QStringLiteral(" (NOT READY)")),
               double(whole.elapsed()) / 1000.0, QStringLiteral("s"), QStringLiteral("-"));
        Report(QStringLiteral("index of %1 entries, the window's longest wait meanwhile").arg(size), longest,
               QStringLiteral("ms"), QStringLiteral("at most 100"));
    }
    Report(QStringLiteral("file of %1 entries with its index / without").arg(QString::number(entries)),
           double(QFileInfo(partial).size()) / double(QFileInfo(plain).size()), QStringLiteral("x"),
           QStringLiteral("-"));
    QFile::rename(partial, indexed);
    return indexed;
}

void Compare(Reader& reader, const QString& path, const QString& name, const QString& phrase,
             const QString& goal)
{
    int found = 0;
    const double ours = reader.SearchMs(phrase, found);
    const double shell = ShellMs(path, phrase);
    Report(name + QStringLiteral(" (%1 found), sqlite3 shell").arg(found), shell, QStringLiteral("ms"),
           QStringLiteral("-"));
    Report(name + QStringLiteral(", button to count or box"), ours, QStringLiteral("ms"),
           QStringLiteral("-"));
    Report(name + QStringLiteral(", search / sqlite3 shell"), ours / shell, QStringLiteral("x"), goal);
}

} // namespace

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Application->Initialize();

    const QString plain = CachedCollection(100000, 2048);
    int builtInMatches = 0;
    int foldingMatches = 0;
    const QString common = QStringLiteral("امید صبر");
    const double builtIn = CountMs(plain, common, false, builtInMatches);
    const double folding = CountMs(plain, common, true, foldingMatches);
    Report(QStringLiteral("LIKE over 100,000 answers, built-in (%1 found)").arg(builtInMatches), builtIn,
           QStringLiteral("ms"), QStringLiteral("-"));
    Report(QStringLiteral("LIKE over 100,000 answers, folding (%1 found)").arg(foldingMatches), folding,
           QStringLiteral("ms"), QStringLiteral("-"));
    Report(QStringLiteral("folding LIKE / built-in LIKE"), folding / builtIn, QStringLiteral("x"),
           QStringLiteral("-"));

    const QString hundredThousand = IndexedCollection(100000, 2048);
    {
        Reader reader(hundredThousand);
        Compare(reader, hundredThousand, QStringLiteral("100,000 entries, Latin phrase found nowhere"),
                QStringLiteral("quantum mechanics"), QStringLiteral("at most 0.25"));
        Compare(reader, hundredThousand, QStringLiteral("100,000 entries, Persian phrase found nowhere"),
                QStringLiteral("صبر جمیل"), QStringLiteral("at most 0.25"));
        Compare(reader, hundredThousand, QStringLiteral("100,000 entries, phrase in 2.5% of the answers"),
                common, QStringLiteral("at most 0.25"));
    }
    const QString million = IndexedCollection(1000000, 256);
    {
        Reader reader(million);
        int found = 0;
        const double ms = reader.SearchMs(QStringLiteral("امید صبر شکر."), found);
        Report(QStringLiteral("1,000,000 entries, phrase found in %1 entries, button to count").arg(found),
               ms, QStringLiteral("ms"), QStringLiteral("at most 100"));
    }
    return 0;
}
