// Lays out 1,000 found entries of generated Persian-looking text into the preview's page store and
// reports how soon the first page is finished and how many pages a second the layout makes; then saves
// the pages as a report file and reports how long reading it back takes, every page checked.

#include "FakeDataSet.h"
#include "PersianFonts.h"
#include "PictureSurface.h"
#include "ReportTesting.h"
#include "TQRPageStore.h"
#include "TQRReportFile.h"
#include "TQuickRep.h"
#include "Unit3.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Entries = 1000;
constexpr int Runs = 3;

// Words of Persian letters, about the given number of UTF-8 bytes.
QString Words(QRandomGenerator& random, int bytes)
{
    static const QString letters = QStringLiteral("ابپتثجچحخدذرزژسشصضطظعغفقکگلمنوهی");
    QString text;
    while (text.toUtf8().size() < bytes) {
        const int length = 2 + int(random.bounded(6));
        for (int i = 0; i < length; ++i)
            text.append(letters.at(int(random.bounded(letters.size()))));
        text.append(random.bounded(12) == 0 ? QStringLiteral(". ") : QStringLiteral(" "));
    }
    return text;
}

QVector<FakeDataSet::Record> GeneratedEntries()
{
    QRandomGenerator random(1065);
    QVector<FakeDataSet::Record> records;
    for (int i = 0; i < Entries; ++i)
        records.append(FakeDataSet::Entry(Words(random, 250), Words(random, 1500), Words(random, 250)));
    return records;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallPersianFontSubstitutes();
    FakeDataSet data(GeneratedEntries());
    TForm3 form(&data);

    std::vector<double> firstPage;
    std::vector<double> pagesPerSecond;
    TQRPageStore store;
    for (int run = 0; run < Runs; ++run) {
        store.Clear();
        QElapsedTimer clock;
        double first = -1;
        PictureSurface surface([&](const QPicture& page, const QSize& size) {
            store.PageSize = size;
            store.AddPage(page);
            if (first < 0)
                first = clock.nsecsElapsed() / 1e6;
        });
        clock.start();
        form.QuickRep1->LayOut(surface);
        const double seconds = clock.nsecsElapsed() / 1e9;
        firstPage.push_back(first);
        pagesPerSecond.push_back(store.PageCount() / seconds);
    }
    const QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("bench.QRP"));
    TQRReportFile::Save(store, fileName);
    std::vector<double> loadPerPage;
    for (int run = 0; run < Runs; ++run) {
        TQRPageStore loaded;
        QElapsedTimer clock;
        clock.start();
        TQRReportFile::Load(fileName, loaded);
        loadPerPage.push_back(clock.nsecsElapsed() / 1e6 / loaded.PageCount());
    }
    std::printf("report_first_page: %.1f ms (goal: <= 50 ms)\n", Median(firstPage));
    std::printf("report_pages_per_second: %.0f pages/s (goal: >= 200 pages/s)\n", Median(pagesPerSecond));
    std::printf("report_file_load_per_page: %.2f ms (%d pages, each checked before it is shown)\n",
                Median(loadPerPage), store.PageCount());
    return 0;
}
