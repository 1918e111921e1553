#include "FakeDataSet.h"
#include "PersianFonts.h"
#include "ReportPrinter.h"
#include "ReportTesting.h"
#include "TQuickRep.h"
#include "Unit3.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinterInfo>
#include <QTest>

// Prints through a real print server: a CUPS scheduler with a cups-pdf queue as the default printer,
// started by the test set-up.
class TestPrintServer : public QObject
{
    Q_OBJECT

private slots:
    void threeEntriesReachThePrinter();
    void settingsReachThePrinter();
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

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallPersianFontSubstitutes();
    TestPrintServer test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestPrintServer.moc"
