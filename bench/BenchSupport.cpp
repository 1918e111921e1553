#include "BenchSupport.h"

#include "CollectionWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

qint64 StatusField(const char* name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

} // namespace

BrowseDataSet::BrowseDataSet(const QString& path)
{
    connection.setConnectionString(QStringLiteral("Data Source=") + path);
    connection.Open();
    table.setObjectName(QStringLiteral("ADOaall"));
    table.setConnection(&connection);
    table.setTableName(QStringLiteral("Query1"));
}

QString CachedCollection(int entries, int averageBytes)
{
    QString folder = qEnvironmentVariable("VELNORA_BENCH_CACHE");
    if (folder.isEmpty())
        folder = QDir::temp().filePath(QStringLiteral("velnora-bench-cache"));
    QDir().mkpath(folder);
    const QString path =
        QDir(folder).filePath(QStringLiteral("collection-%1-%2.mdb").arg(entries).arg(averageBytes));
    if (!QFile::exists(path)) {
        const QString partial = path + QStringLiteral(".part");
        WriteCollection(partial, CollectionOptions{entries, averageBytes});
        QFile::rename(partial, path);
    }
    return path;
}

double MedianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return Median(std::move(times));
}

void Report(const QString& name, double value, const QString& unit, const QString& goal)
{
    std::printf("%s: %.2f %s (goal: %s)\n", qPrintable(name), value, qPrintable(unit), qPrintable(goal));
    std::fflush(stdout);
    const QString results = qEnvironmentVariable("VELNORA_BENCH_RESULTS");
    if (results.isEmpty())
        return;
    QFile file(results);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        std::fprintf(stderr, "the figure cannot be added to %s\n", qPrintable(results));
        return;
    }
    const auto cell = [](QString text) { return text.replace(QLatin1Char('\t'), QLatin1Char(' ')); };
    file.write(QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                   .arg(cell(QCoreApplication::applicationName()), cell(name), QString::number(value, 'f', 2),
                        cell(unit), cell(goal))
                   .toUtf8());
}

qint64 ResidentBytes()
{
    return StatusField("VmRSS");
}

qint64 PeakResidentBytes()
{
    return StatusField("VmHWM");
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double ShellReadMs(const QString& path)
{
    return MedianMs(1, [&] {
        QProcess shell;
        shell.setStandardOutputFile(QProcess::nullDevice());
        shell.start(QStringLiteral("sqlite3"), {path, QStringLiteral("SELECT * FROM Query1")});
        shell.waitForFinished(-1);
    });
}

qint64 TextBytes(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT sum(length(CAST(id AS BLOB)) + length(CAST(kholase AS BLOB)) +"
                       " length(CAST(porsesh AS BLOB)) + length(CAST(pasokh AS BLOB)) +"
                       " length(CAST(pavaraghi AS BLOB))) FROM Query1",
                       -1, &statement, nullptr);
    qint64 bytes = 0;
    if (sqlite3_step(statement) == SQLITE_ROW)
        bytes = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return bytes;
}
