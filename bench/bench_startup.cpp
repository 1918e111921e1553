// The program's start as the reader waits for it: from the start of the process until its main window
// has painted, over a collection of 50 entries, of 100,000 entries of about 2 KB and of 1,000,000 of
// about 256 bytes, with the process's peak memory against the text the collection holds; and the
// sqlite3 shell reading Query1 once over the same files.
//   bench_startup                      all figures
//   bench_startup --child FOLDER NS    (internal) starts the program in FOLDER, as its entry does; NS
//                                      is the parent's monotonic clock at the start, in nanoseconds;
//                                      prints the milliseconds until the window painted and the peak
//                                      resident bytes
#include "BenchSupport.h"

#include "TApplication.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int Runs = 5;

qint64 MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Reports the first paint of the main window, once it is done, and ends the program.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(qint64 startNs) : m_startNs(startNs) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && watched == Form1 && event->type() == QEvent::Paint) {
            m_seen = true;
            QTimer::singleShot(0, [this] {
                std::printf("%.3f %lld\n", double(MonotonicNs() - m_startNs) / 1e6,
                            static_cast<long long>(PeakResidentBytes()));
                std::fflush(stdout);
                Application->Terminate();
            });
        }
        return false;
    }

private:
    qint64 m_startNs;
    bool m_seen = false;
};

int Child(int argc, char** argv, const QString& folder, qint64 startNs)
{
    QDir::setCurrent(folder);
    TApplication application(argc, argv);
    Application->Initialize();
    Application->CreateForm(Form1);
    Application->CreateForm(Data);
    Application->CreateForm(Form3);
    FirstPaint watch(startNs);
    Form1->installEventFilter(&watch);
    return Application->Run();
}

struct Start
{
    double ms = 0;
    double peakBytes = 0;
};

Start StartOnce(const QString& folder)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const qint64 now = MonotonicNs();
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), folder, QString::number(now)});
    child.waitForFinished(-1);
    const QStringList figures = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char(' '));
    if (figures.size() != 2 || child.exitCode() != 0)
        return {};
    return {figures[0].toDouble(), figures[1].toDouble()};
}

// The program started several times over a copy of the collection, taking turns with the shell so
// that both meet the same load; medians.
struct Measured
{
    double startMs = 0;
    double peakBytes = 0;
    double shellMs = 0;
};

Measured Measure(const QString& collection)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("dorvanel.mdb"));
    QFile::copy(collection, file);
    std::vector<double> starts, peaks, shells;
    StartOnce(folder.path());
    for (int run = 0; run < Runs; ++run) {
        const Start start = StartOnce(folder.path());
        starts.push_back(start.ms);
        peaks.push_back(start.peakBytes);
        shells.push_back(ShellReadMs(file));
    }
    return {Median(starts), Median(peaks), Median(shells)};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return Child(argc, argv, QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong());

    QCoreApplication application(argc, argv);
    const Measured small = Measure(CachedCollection(50, 2048));
    Report(QStringLiteral("50 entries, start to window shown"), small.startMs, QStringLiteral("ms"),
           QStringLiteral("reference"));

    const QString hundredThousand = CachedCollection(100000, 2048);
    const Measured large = Measure(hundredThousand);
    const double largeText = double(TextBytes(hundredThousand));
    Report(QStringLiteral("100,000 entries, start to window shown"), large.startMs, QStringLiteral("ms"),
           QStringLiteral("-"));
    Report(QStringLiteral("100,000 entries, sqlite3 shell reading Query1"), large.shellMs,
           QStringLiteral("ms"), QStringLiteral("reference"));
    Report(QStringLiteral("100,000 entries, (start - start with 50) / shell"),
           (large.startMs - small.startMs) / large.shellMs, QStringLiteral("x"),
           QStringLiteral("at most 1.0"));
    Report(QStringLiteral("100,000 entries, text held"), largeText / 1048576.0, QStringLiteral("MiB"),
           QStringLiteral("reference"));
    Report(QStringLiteral("100,000 entries, peak memory"), large.peakBytes / 1048576.0, QStringLiteral("MiB"),
           QStringLiteral("-"));
    Report(QStringLiteral("100,000 entries, peak memory / text"), large.peakBytes / largeText,
           QStringLiteral("x"), QStringLiteral("at most 1.5"));

    const QString million = CachedCollection(1000000, 256);
    const Measured shortEntries = Measure(million);
    const double millionText = double(TextBytes(million));
    Report(QStringLiteral("1,000,000 entries, start to window shown"), shortEntries.startMs,
           QStringLiteral("ms"), QStringLiteral("at most 1500"));
    Report(QStringLiteral("1,000,000 entries, sqlite3 shell reading Query1"), shortEntries.shellMs,
           QStringLiteral("ms"), QStringLiteral("-"));
    Report(QStringLiteral("1,000,000 entries, text held"), millionText / 1048576.0, QStringLiteral("MiB"),
           QStringLiteral("reference"));
    Report(QStringLiteral("1,000,000 entries, peak memory"), shortEntries.peakBytes / 1048576.0,
           QStringLiteral("MiB"), QStringLiteral("-"));
    Report(QStringLiteral("1,000,000 entries, peak memory / text"), shortEntries.peakBytes / millionText,
           QStringLiteral("x"), QStringLiteral("at most 1.5"));
    return 0;
}
