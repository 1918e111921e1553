// Lays out 1,000 found entries of generated Persian-looking text into the preview's page store and
// reports how soon the first page is finished and how many pages a second the layout makes; then saves
// the pages as a report file and reports how long reading it back takes, every page checked.

#include "BenchSupport.h"
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
    Report(QStringLiteral("report of 1,000 entries, first page laid out"), Median(firstPage),
           QStringLiteral("ms"), QStringLiteral("at most 5 ms"));
    Report(QStringLiteral("report of 1,000 entries, pages laid out a second"), Median(pagesPerSecond),
           QStringLiteral("pages/s"), QStringLiteral("at least 400"));
    Report(QStringLiteral("report file read back, each of %1 pages checked").arg(store.PageCount()),
           Median(loadPerPage), QStringLiteral("ms a page"), QStringLiteral("none"));
    return 0;
}
