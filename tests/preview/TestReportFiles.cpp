#include "Crc32.h"
#include "Exceptions.h"
#include "FakeDataSet.h"
#include "PersianFonts.h"
#include "ReportTesting.h"
#include "TQRPageStore.h"
#include "TQRReportFile.h"
#include "Unit3.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <functional>

namespace {

// A store holding the pages of a report over some generated entries.
void FillStore(TQRPageStore& store, int entries)
{
    FakeDataSet data(FakeDataSet::Entries(entries));
    TForm3 form(&data);
    const LaidOutPages pages = LayOutToPictures(*form.QuickRep1);
    store.PageSize = pages.size;
    store.Dpi = QPicture().logicalDpiX();
    for (const QPicture& page : pages.pages)
        store.AddPage(page);
    store.PagesBegun = store.PageCount();
    store.State = TQRPageStore::Status::Finished;
}

QByteArray ReadAll(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

template <class T>
void Put(QByteArray& bytes, int offset, T value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

// Header fields changed, with the header's checksum made right again.
void PutInHeader(QByteArray& bytes, const std::function<void(QByteArray&)>& change)
{
    change(bytes);
    Put<quint32>(bytes, 60, Crc32(QByteArrayView(bytes).first(60)));
}

} // namespace

class TestReportFiles : public QObject
{
    Q_OBJECT

private slots:
    void storeMovesToATemporaryFile();
    void saveAndLoadKeepEveryPage();
    void damagedFilesAreRefused_data();
    void damagedFilesAreRefused();
    void everyCutAndFlippedByteIsRefused();
};

void TestReportFiles::storeMovesToATemporaryFile()
{
    // A temporary folder of this test's own, so that what stands in it is the store's.
    const QTemporaryDir folder;
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(folder.path()));
    const auto restore = qScopeGuard([&] { qputenv("TMPDIR", tmpdir); });
    QString temporary;
    {
        TQRPageStore store;
        FillStore(store, 1);
        QVERIFY(store.FileName().isEmpty());
        QVERIFY(store.Bytes() <= TQRPageStore::MemoryLimit);
        const QByteArray first = store.PageData(1);
        while (store.Bytes() <= TQRPageStore::MemoryLimit)
            store.AddPageData(first);
        // The file is in the folder under its QRP name before anyone asks the store for it.
        const QStringList named = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(named.size(), 1);
        QVERIFY2(named.first().startsWith(QStringLiteral("QRP")), qPrintable(named.first()));
        temporary = store.FileName();
        QVERIFY(!temporary.isEmpty());
        QVERIFY(QFileInfo(temporary).fileName().startsWith(QStringLiteral("QRP")));
        QCOMPARE(QFileInfo(temporary).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        QVERIFY(QFile::exists(temporary));
        // Pages read back the same from the file, the first and the last.
        QCOMPARE(store.PageData(1), first);
        QCOMPARE(store.PageData(store.PageCount()), first);
        store.AddPageData(QByteArray("after"));
        QCOMPARE(store.PageData(store.PageCount()), QByteArray("after"));
        QCOMPARE(store.PageData(store.PageCount() + 1), QByteArray());
    }
    QVERIFY(!QFile::exists(temporary));
}

void TestReportFiles::saveAndLoadKeepEveryPage()
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("three.QRP"));
    TQRPageStore store;
    FillStore(store, 3);
    TQRReportFile::Save(store, fileName);
    const QByteArray bytes = ReadAll(fileName);
    QVERIFY(bytes.startsWith("VQRP"));
    QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 8), 3u);
    QCOMPARE(bytes.at(20), '\0');

    TQRPageStore loaded;
    TQRReportFile::Load(fileName, loaded);
    QVERIFY(loaded.Loaded);
    QCOMPARE(loaded.State, TQRPageStore::Status::Finished);
    QCOMPARE(loaded.PageCount(), 3);
    QCOMPARE(loaded.PagesBegun, 3);
    QCOMPARE(loaded.PageSize, store.PageSize);
    for (int page = 1; page <= 3; ++page)
        QCOMPARE(RenderPage(loaded.Page(page), loaded.PageSize),
                 RenderPage(store.Page(page), store.PageSize));

    // The last page can be found from the end: its record is where the header says and links back.
    const auto offsetAt = [&bytes](quint64 at) {
        return at + 8 <= quint64(bytes.size())
                   ? qFromLittleEndian<quint64>(bytes.mid(qsizetype(at), 8).constData())
                   : ~quint64(0);
    };
    const quint64 last = offsetAt(48);
    const quint64 back = offsetAt(last);
    QCOMPARE(offsetAt(back + 8), last);
    QCOMPARE(offsetAt(last + 8), quint64(0));
}

void TestReportFiles::damagedFilesAreRefused_data()
{
    QTest::addColumn<std::function<void(QByteArray&)>>("damage");
    using Damage = std::function<void(QByteArray&)>;
    QTest::newRow("empty file") << Damage([](QByteArray& b) { b.clear(); });
    QTest::newRow("foreign file") << Damage(
        [](QByteArray& b) { b = QByteArray("\x89PNG\r\n\x1a\n") + b.mid(8); });
    QTest::newRow("text file") << Damage([](QByteArray& b) { b = "Report of the year\n"; });
    QTest::newRow("header cut short") << Damage([](QByteArray& b) { b.truncate(30); });
    QTest::newRow("cut in the first page") << Damage([](QByteArray& b) { b.truncate(64 + 30); });
    QTest::newRow("cut in the last page") << Damage([](QByteArray& b) { b.chop(10); });
    QTest::newRow("header damaged") << Damage([](QByteArray& b) { b[13] = char(b[13] ^ 0x40); });
    QTest::newRow("unknown format") << Damage(
        [](QByteArray& b) { PutInHeader(b, [](QByteArray& h) { Put<quint16>(h, 4, 7); }); });
    QTest::newRow("compressed") << Damage(
        [](QByteArray& b) { PutInHeader(b, [](QByteArray& h) { h[20] = 1; }); });
    QTest::newRow("no pages") << Damage(
        [](QByteArray& b) { PutInHeader(b, [](QByteArray& h) { Put<quint32>(h, 8, 0); }); });
    QTest::newRow("huge page count") << Damage(
        [](QByteArray& b) { PutInHeader(b, [](QByteArray& h) { Put<quint32>(h, 8, 0xFFFFFFFFu); }); });
    QTest::newRow("more pages than linked")
        << Damage([](QByteArray& b) { PutInHeader(b, [](QByteArray& h) { Put<quint32>(h, 8, 4); }); });
    QTest::newRow("impossible page size")
        << Damage([](QByteArray& b) { PutInHeader(b, [](QByteArray& h) { Put<quint32>(h, 24, 0); }); });
    QTest::newRow("first page beyond the end") << Damage(
        [](QByteArray& b) { PutInHeader(b, [](QByteArray& h) { Put<quint64>(h, 40, quint64(1) << 60); }); });
    QTest::newRow("last page misplaced")
        << Damage([](QByteArray& b) { PutInHeader(b, [](QByteArray& h) { Put<quint64>(h, 48, 64); }); });
    QTest::newRow("page links to itself") << Damage([](QByteArray& b) { Put<quint64>(b, 64 + 8, 64); });
    QTest::newRow("broken back link") << Damage([](QByteArray& b) { Put<quint64>(b, 64, 12345); });
    QTest::newRow("huge page length") << Damage([](QByteArray& b) { Put<quint32>(b, 64 + 16, 0xFFFFFFF0u); });
    QTest::newRow("page bytes damaged")
        << Damage([](QByteArray& b) { b[64 + 24 + 40] = char(b[64 + 24 + 40] ^ 1); });
    QTest::newRow("page picture forged behind a right checksum") << Damage([](QByteArray& b) {
        b[64 + 24 + 40] = char(b[64 + 24 + 40] ^ 1);
        const quint32 length = qFromLittleEndian<quint32>(b.constData() + 64 + 16);
        Put<quint32>(b, 64 + 20, Crc32(QByteArrayView(b).sliced(64 + 24, length)));
    });
}

void TestReportFiles::damagedFilesAreRefused()
{
    QFETCH(std::function<void(QByteArray&)>, damage);
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("report.QRP"));
    TQRPageStore store;
    FillStore(store, 3);
    TQRReportFile::Save(store, fileName);
    QByteArray bytes = ReadAll(fileName);
    damage(bytes);
    WriteAll(fileName, bytes);

    TQRPageStore shown;
    FillStore(shown, 2);
    const QByteArray firstPage = shown.PageData(1);
    QVERIFY_THROWS_EXCEPTION(EReportError, TQRReportFile::Load(fileName, shown));
    QCOMPARE(shown.PageCount(), 2);
    QVERIFY(!shown.Loaded);
    QCOMPARE(shown.PageData(1), firstPage);
    try {
        TQRReportFile::Load(fileName, shown);
    } catch (const EReportError& error) {
        QVERIFY2(error.Message().contains(QDir::toNativeSeparators(fileName)), qPrintable(error.Message()));
    }
}

void TestReportFiles::everyCutAndFlippedByteIsRefused()
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("report.QRP"));
    TQRPageStore store;
    FillStore(store, 2);
    TQRReportFile::Save(store, fileName);
    const QByteArray whole = ReadAll(fileName);
    QRandomGenerator random(1252);
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = whole;
        if (round % 2 == 0) {
            bytes.truncate(int(random.bounded(whole.size())));
        } else {
            const int at = int(random.bounded(whole.size()));
            bytes[at] = char(bytes[at] ^ (1 << random.bounded(8)));
        }
        WriteAll(fileName, bytes);
        TQRPageStore loaded;
        QVERIFY_THROWS_EXCEPTION(EReportError, TQRReportFile::Load(fileName, loaded));
        QCOMPARE(loaded.PageCount(), 0);
    }
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallPersianFontSubstitutes();
    TestReportFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestReportFiles.moc"
