#include "FakeDataSet.h"
#include "PersianFonts.h"
#include "PreviewScript.h"
#include "ReportPrinter.h"
#include "ReportTesting.h"
#include "TQRPageStore.h"
#include "TQRPreview.h"
#include "TQRProgress.h"
#include "TQuickRep.h"
#include "Unit3.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinterInfo>
#include <QTest>

#include <cups/cups.h>

// Prints through a real print server: a CUPS scheduler with a cups-pdf queue as the default printer,
// started by the test set-up.
class TestPrintServer : public QObject
{
    Q_OBJECT

private slots:
    void threeEntriesReachThePrinter();
    void settingsReachThePrinter();
    void closingThePreviewAbandonsItsPrintout();
};

namespace {

bool ServerReady()
{
    return QFile::exists(
        QDir(qEnvironmentVariable("VELNORA_PRINT_SERVER")).filePath(QStringLiteral("ready")));
}

QStringList PrintedFiles()
{
    return QDir(QDir::home().filePath(QStringLiteral("PDF")))
        .entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
}

// The titles of every job the queue has had, finished or not.
QStringList JobTitles()
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "PDF", 0, CUPS_WHICHJOBS_ALL);
    QStringList titles;
    for (int i = 0; i < count; ++i)
        titles << QString::fromLocal8Bit(jobs[i].title);
    cupsFreeJobs(count, jobs);
    return titles;
}

// The file cups-pdf writes for the job of this title once it holds all its pages; empty after a minute.
QString PrintedAs(const QString& title, int pages)
{
    QElapsedTimer waiting;
    waiting.start();
    while (waiting.elapsed() < 60000) {
        for (const QString& name : PrintedFiles().filter(title)) {
            const QString path = QDir::home().filePath(QStringLiteral("PDF/") + name);
            if (PdfPageCount(path) == pages)
                return path;
        }
        QTest::qWait(200);
    }
    return QString();
}

void ClosePreview()
{
    if (TQRPreview* preview = TQRPreview::Current())
        preview->close();
}

bool ProgressShown()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<TQRProgress*>(widget) != nullptr && widget->isVisible())
            return true;
    }
    return false;
}

} // namespace

void TestPrintServer::threeEntriesReachThePrinter()
{
    if (!ServerReady())
        QSKIP("No print server could be started here (see the print_server_start test's output)");
    QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), QStringLiteral("PDF"));
    const QStringList before = PrintedFiles();
    FakeDataSet data(FakeDataSet::Entries(3));
    TForm3 form(&data);
    QCOMPARE(form.QuickRep1->PaperInUse().id(), QPageSize::A4);
    QCOMPARE(ReportPrinter::PrintReport(*form.QuickRep1, nullptr), 3);

    QString printed;
    QElapsedTimer waiting;
    waiting.start();
    while (printed.isEmpty() && waiting.elapsed() < 60000) {
        for (const QString& name : PrintedFiles()) {
            if (!before.contains(name))
                printed = QDir::home().filePath(QStringLiteral("PDF/") + name);
        }
        QTest::qWait(200);
    }
    QVERIFY2(!printed.isEmpty(), "cups-pdf wrote no file");
    // The file may still be being written.
    int pages = -1;
    while (pages != 3 && waiting.elapsed() < 60000) {
        QTest::qWait(200);
        pages = PdfPageCount(printed);
    }
    QCOMPARE(pages, 3);
    QFile::remove(printed);
}

void TestPrintServer::settingsReachThePrinter()
{
    if (!ServerReady())
        QSKIP("No print server could be started here (see the print_server_start test's output)");
    TQRPrinterSettings settings;
    settings.Copies = 2;
    settings.Orientation = QPageLayout::Landscape;
    const std::unique_ptr<QPrinter> printer =
        ReportPrinter::MakePrinter(settings, QPageSize(QPageSize::A4), QString());
    QVERIFY(printer != nullptr);
    QCOMPARE(printer->printerName(), QStringLiteral("PDF"));
    QCOMPARE(printer->pageLayout().pageSize().id(), QPageSize::A4);
    QCOMPARE(printer->pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(printer->copyCount(), 2);
}

void TestPrintServer::closingThePreviewAbandonsItsPrintout()
{
    if (!ServerReady())
        QSKIP("No print server could be started here (see the print_server_start test's output)");
    // The job's title is the report's title: one of this run's own, to tell its jobs from any other.
    const QString stamp = QStringLiteral("%1-%2")
                              .arg(QCoreApplication::applicationPid())
                              .arg(QDateTime::currentMSecsSinceEpoch());
    const QString abandoned = QStringLiteral("velnora-abandoned-") + stamp;
    const QString after = QStringLiteral("velnora-after-") + stamp;
    FakeDataSet data(FakeDataSet::Entries(60));
    TForm3 form(&data);
    form.QuickRep1->ReportTitle = abandoned;
    bool printing = false;
    PreviewScript script(ClosePreview);
    script.Then(
        [] {
            return TQRPreview::Current() != nullptr &&
                   TQRPreview::Current()->Store().State == TQRPageStore::Status::Finished &&
                   TQRPreview::Current()->Action(QStringLiteral("Print"))->isEnabled();
        },
        [&] {
            data.AfterNext = [&](int position) {
                printing = printing || ProgressShown();
                if (position == 30)
                    QTimer::singleShot(0, [] { ClosePreview(); });
            };
            TQRPreview::Current()->Action(QStringLiteral("Print"))->trigger();
        });
    TQRPreview::Request(*form.QuickRep1);
    QVERIFY(script.Finished());
    QVERIFY(printing);
    QVERIFY(!form.QuickRep1->IsLayingOut());
    QCOMPARE(data.Position(), 30);
    QVERIFY2(!JobTitles().contains(abandoned), "the abandoned printout reached the queue");

    // A printout after it comes out of the same queue, and nothing of the abandoned one before it.
    data.AfterNext = nullptr;
    data.SetRecords(FakeDataSet::Entries(1));
    form.QuickRep1->ReportTitle = after;
    QCOMPARE(ReportPrinter::PrintReport(*form.QuickRep1, nullptr), 1);
    const QString printed = PrintedAs(after, 1);
    QVERIFY2(!printed.isEmpty(), "cups-pdf wrote no file for the printout after it");
    QCOMPARE(PrintedFiles().filter(abandoned), QStringList());
    QVERIFY(!JobTitles().contains(abandoned));
    QFile::remove(printed);
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallPersianFontSubstitutes();
    TestPrintServer test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestPrintServer.moc"
