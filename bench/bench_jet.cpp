// Reading the 7,088-row Arabic book file 170.mdb into an in-memory SQLite database, as the reader
// does when dorvanel.mdb is an Access file.
#include "BenchSupport.h"
#include "Exceptions.h"
#include "JetDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QString path = QStringLiteral(VELNORA_JET_BENCH_FILE);
    std::vector<double> times;
    for (int run = 0; run < 7; ++run) {
        sqlite3* db = nullptr;
        sqlite3_open(":memory:", &db);
        QElapsedTimer timer;
        timer.start();
        try {
            LoadJetDatabase(path, db);
        } catch (const Exception& e) {
            std::fprintf(stderr, "bench_jet: %s\n", e.Message().toUtf8().constData());
            return 1;
        }
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        sqlite3_close(db);
    }
    std::sort(times.begin(), times.end());
    Report(QStringLiteral("read the Access book 170.mdb (7,088 rows)"), times[times.size() / 2],
           QStringLiteral("ms"), QStringLiteral("well under 1000 ms"));
    return 0;
}
