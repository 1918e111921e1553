// Showing and typing into the answer memo when an entry holds a megabyte of text: with words, and as
// one stretch without a break point, which must not take longer than the words.
#include "BenchWindow.h"
#include "PersianFonts.h"

#include "TDBMemo.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

constexpr int Runs = 5;

// A copy of a small collection whose second and third answers are a megabyte long.
QString LongAnswers(const QTemporaryDir& folder)
{
    const QString path = folder.filePath(QStringLiteral("long-answers.mdb"));
    QFile::copy(CachedCollection(4, 64), path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db,
                 "UPDATE Table1 SET pasokh = replace(hex(zeroblob(100000)), '00', 'نماز روزه ') WHERE id = 2;"
                 "UPDATE Table1 SET pasokh = replace(hex(zeroblob(1000000)), '00', 'ن') WHERE id = 3;",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallPersianFontSubstitutes();
    QTemporaryDir folder;
    BenchWindow bench(LongAnswers(folder));
    TADOTable& table = bench.browse.table;
    TDBMemo memo(&bench.window);
    memo.setGeometry(37, 287, 518, 245);
    memo.setFont(QFont(QStringLiteral("Tahoma"), 9));
    memo.setProperty("dataField", QStringLiteral("pasokh"));
    memo.DataLink().setDataSource(&bench.source);
    table.Open();
    bench.window.show();
    QApplication::processEvents();

    const QString goal = QStringLiteral("at most 1000 ms");
    for (const auto& [entry, name] : {std::pair(2, QStringLiteral("1 MB of words")),
                                      std::pair(3, QStringLiteral("1 MB without a break point"))}) {
        const auto show = [&] {
            table.First();
            table.MoveBy(entry - 1);
            memo.viewport()->repaint();
        };
        Report(QStringLiteral("show an answer of ") + name,
               MedianMs(Runs, show) - MedianMs(Runs, [&] { table.First(); }), QStringLiteral("ms"), goal);
        show();
        memo.setFocus();
        memo.moveCursor(QTextCursor::End);
        Report(QStringLiteral("type a letter into an answer of ") + name,
               MedianMs(Runs,
                        [&] {
                            SendKey(&memo, Qt::Key_A, QStringLiteral("ن"));
                            memo.viewport()->repaint();
                        }),
               QStringLiteral("ms"), goal);
        table.Cancel();
    }
    return 0;
}
