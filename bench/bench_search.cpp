// A search of the answers over 100,000 generated entries, from the press of the search button until
// the count is shown, against the sqlite3 shell running the same statement with its built-in LIKE;
// and our folding LIKE against the built-in one alone.
#include "BenchSupport.h"
#include "FoldingLike.h"

#include "TApplication.h"
#include "Unit1.h"
#include "Unit2.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

constexpr int Entries = 100000;
constexpr int EntryBytes = 2048;
constexpr int Runs = 3;
const QString Phrase = QStringLiteral("امید صبر");
const QString Statement = QStringLiteral("SELECT * FROM  Table1 where pasokh like '%امید صبر%'");

double ShellMs(const QString& path)
{
    return MedianMs(Runs, [&] {
        QProcess shell;
        shell.setStandardOutputFile(QProcess::nullDevice());
        shell.start(QStringLiteral("sqlite3"), {path, Statement});
        shell.waitForFinished(-1);
    });
}

// Counting the matches alone, with the built-in LIKE or with ours.
double CountMs(const QString& path, bool folding, int& matches)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (folding)
        RegisterFoldingLike(db);
    const QByteArray sql = QStringLiteral("SELECT count(*) FROM Table1 WHERE pasokh LIKE '%1'")
                               .arg(QLatin1Char('%') + Phrase + QLatin1Char('%'))
                               .toUtf8();
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

} // namespace

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Application->Initialize();
    const QString path = CachedCollection(Entries, EntryBytes);

    int builtInMatches = 0;
    int foldingMatches = 0;
    const double builtIn = CountMs(path, false, builtInMatches);
    const double folding = CountMs(path, true, foldingMatches);
    Report(QStringLiteral("LIKE over 100,000 answers, built-in (%1 found)").arg(builtInMatches), builtIn,
           QStringLiteral("ms"), QStringLiteral("-"));
    Report(QStringLiteral("LIKE over 100,000 answers, folding (%1 found)").arg(foldingMatches), folding,
           QStringLiteral("ms"), QStringLiteral("-"));
    Report(QStringLiteral("folding LIKE / built-in LIKE"), folding / builtIn, QStringLiteral("x"),
           QStringLiteral("-"));

    // The reader over the same file, as a copy-free link in a working folder of its own.
    QTemporaryDir folder;
    QFile::link(path, folder.filePath(QStringLiteral("dorvanel.mdb")));
    QDir::setCurrent(folder.path());
    Form1 = new TForm1;
    Data = new TData;
    auto* box = Form1->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    auto* answers = Form1->findChild<QRadioButton*>(QStringLiteral("RadioButton2"));
    auto* search = Form1->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    auto* count = Form1->findChild<QLabel*>(QStringLiteral("Label11"));
    box->setText(Phrase);
    answers->click();
    const double reader = MedianMs(Runs, [&] { search->click(); });
    const double shell = ShellMs(path);
    Report(QStringLiteral("sqlite3 shell, search of the answers (") + count->text() +
               QStringLiteral(" found)"),
           shell, QStringLiteral("ms"), QStringLiteral("-"));
    Report(QStringLiteral("search of the answers, button to count"), reader, QStringLiteral("ms"),
           QStringLiteral("-"));
    Report(QStringLiteral("search / sqlite3 shell"), reader / shell, QStringLiteral("x"),
           QStringLiteral("<= 1.5"));
    delete Data;
    delete Form1;
    return 0;
}
