// Opening the browse dataset over generated collections, against the sqlite3 shell reading the same
// rows; and the memory that the opened dataset takes against the size of the text it holds.
//   bench_store            all figures
//   bench_store --memory FILE   (internal) opens FILE once and prints the memory taken
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>
#include <vector>

namespace {

constexpr int Runs = 7;
constexpr int EntryBytes = 2048;
constexpr int GoalEntries = 100000;

// The time of the open alone, with the connection already made, as at start-up.
double OpenBrowseMs(const QString& path)
{
    BrowseDataSet browse(path);
    return MedianMs(1, [&] { browse.table.Open(); });
}

int MeasureMemory(const QString& path)
{
    BrowseDataSet browse(path);
    const qint64 before = ResidentBytes();
    browse.table.Open();
    std::printf("%lld\n", static_cast<long long>(PeakResidentBytes() - before));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--memory"))
        return MeasureMemory(args[2]);

    for (int entries : {1000, 10000, GoalEntries}) {
        const QString path = CachedCollection(entries, EntryBytes);
        const QString label = QStringLiteral("%1 entries").arg(entries);
        // The goals are set for the full-size collection; smaller ones show how the figures scale.
        const bool goals = entries == GoalEntries;
        const auto goal = [goals](const QString& text) {
            return goals ? text : QStringLiteral("none, set at %1 entries").arg(GoalEntries);
        };
        // The two take turns, so that both meet the same load of the machine.
        ShellReadMs(path);
        std::vector<double> shells, opens;
        for (int run = 0; run < Runs; ++run) {
            shells.push_back(ShellReadMs(path));
            opens.push_back(OpenBrowseMs(path));
        }
        const double shell = Median(shells);
        const double open = Median(opens);
        Report(QStringLiteral("sqlite3 shell SELECT * FROM Query1, ") + label, shell, QStringLiteral("ms"),
               QStringLiteral("reference"));
        Report(QStringLiteral("open browse dataset, ") + label, open, QStringLiteral("ms"),
               goal(QStringLiteral("at most %1 ms").arg(shell * 1.5, 0, 'f', 2)));
        Report(QStringLiteral("open time against the shell, ") + label, open / shell, QStringLiteral("x"),
               goal(QStringLiteral("at most 1.5")));

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory"), path});
        child.waitForFinished(-1);
        const double taken = child.readAllStandardOutput().trimmed().toDouble();
        const double text = double(TextBytes(path));
        Report(QStringLiteral("text held, ") + label, text / 1048576.0, QStringLiteral("MiB"),
               QStringLiteral("reference"));
        Report(QStringLiteral("peak memory of the open, ") + label, taken / 1048576.0, QStringLiteral("MiB"),
               goal(QStringLiteral("at most %1 MiB").arg(2 * text / 1048576.0, 0, 'f', 1)));
        Report(QStringLiteral("peak memory against the text, ") + label, taken / text, QStringLiteral("x"),
               goal(QStringLiteral("at most 2")));
    }
    return 0;
}
