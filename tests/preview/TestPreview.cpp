#include "FakeDataSet.h"
#include "ModalAnswer.h"
#include "PersianFonts.h"
#include "PreviewScript.h"
#include "ReportTesting.h"
#include "TQRPageStore.h"
#include "TQRPageView.h"
#include "TQRPreview.h"
#include "TQRProgress.h"
#include "TQuickRep.h"
#include "Unit3.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>

namespace {

bool LaidOut()
{
    TQRPreview* preview = TQRPreview::Current();
    return preview != nullptr && preview->Store().State == TQRPageStore::Status::Finished &&
           preview->Action(QStringLiteral("Print"))->isEnabled();
}

void ClosePreview()
{
    if (TQRPreview* preview = TQRPreview::Current())
        preview->close();
}

TQRProgress* ProgressWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* progress = qobject_cast<TQRProgress*>(widget); progress != nullptr && progress->isVisible())
            return progress;
    }
    return nullptr;
}

int DarkPixels(const QImage& image)
{
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            dark += image.pixelColor(x, y).lightness() < 128 ? 1 : 0;
    }
    return dark;
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void twelveEntriesArePagedAndCounted();
    void toolbarIsDeclaredInOrder();
    void statusBarFollowsTheLayout();
    void resizeKeepsTheLastZoomRule();
    void printerSetupRangeThenPrint();
    void cancelInTheProgressWindowPrintsWhatIsLaidOut();
    void progressWindowShowsFives();
    void closingDuringTheLayoutLeavesNothing();
    void saveThenLoadShowsAndPrintsTheSamePages();
    void savingBeforeTheLayoutEndsSaysSo();
    void loadingAMissingFile();
    void loadingADamagedFileLeavesThePreview();
    void printUsesTheDatasetAsItIsNow();
    void requestWhileOpenDoesNothing();
    void closingDuringAPrintoutAbandonsIt();
    void closingBeforeAPrintoutStartsAbandonsIt();
    void withoutAPrinterPrintDoesNothing();
    void theFileDialogsTakeTheNameAsTyped_data();
    void theFileDialogsTakeTheNameAsTyped();

private:
    QString Pdf(const QString& name) const { return m_folder->filePath(name); }

    std::unique_ptr<FakeDataSet> m_data;
    std::unique_ptr<TForm3> m_form;
    std::unique_ptr<QTemporaryDir> m_folder;
    TQuickRep* Report() const { return m_form->QuickRep1; }

    // The system's file dialogs, as the preview asks them when no test stands in.
    std::function<QString(QWidget*, const QString&, const QString&)> m_systemSave;
    std::function<QString(QWidget*, const QString&, const QString&)> m_systemOpen;
};

void TestPreview::initTestCase()
{
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Velnora"));
    m_systemSave = TQRPreview::SaveFileName;
    m_systemOpen = TQRPreview::OpenFileName;
}

void TestPreview::init()
{
    m_data = std::make_unique<FakeDataSet>(FakeDataSet::Entries(12));
    m_form = std::make_unique<TForm3>(m_data.get());
    m_folder = std::make_unique<QTemporaryDir>();
    Report()->PrinterSettings.OutputFileName = Pdf(QStringLiteral("printed.pdf"));
    TQRPreview::ExecPrintDialog = [](QPrintDialog&) { return false; };
    TQRPreview::SaveFileName = [](QWidget*, const QString&, const QString&) { return QString(); };
    TQRPreview::OpenFileName = [](QWidget*, const QString&, const QString&) { return QString(); };
}

void TestPreview::cleanup()
{
    QVERIFY(TQRPreview::Current() == nullptr);
    m_form.reset();
}

void TestPreview::twelveEntriesArePagedAndCounted()
{
    QStringList seen;
    PreviewScript script(ClosePreview);
    script.Then(LaidOut, [&] {
        TQRPreview* preview = TQRPreview::Current();
        QVERIFY(preview->isMaximized());
        QCOMPARE(preview->windowTitle(), QStringLiteral("Print Preview"));
        QCOMPARE(preview->layoutDirection(), Qt::LeftToRight);
        QVERIFY(preview->Action(QStringLiteral("PrinterSetup"))->isEnabled());
        QVERIFY(preview->Action(QStringLiteral("ZoomToWidth"))->isChecked());
        QCOMPARE(preview->View()->Zoom(), preview->View()->WidthZoom());
        QCOMPARE(preview->PageText(), QStringLiteral("Page 1 of 12"));
        QCOMPARE(preview->ProgressText(), QString());
        QTest::keyClick(preview, Qt::Key_End);
        seen << preview->PageText();
        preview->NextPage();
        seen << preview->PageText();
        QTest::keyClick(preview, Qt::Key_PageUp);
        seen << preview->PageText();
        QTest::keyClick(preview, Qt::Key_Home);
        seen << preview->PageText();
        preview->PreviousPage();
        seen << preview->PageText();
        QTest::keyClick(preview, Qt::Key_PageDown, Qt::ControlModifier);
        seen << preview->PageText();
        QTest::keyClick(preview, Qt::Key_PageUp, Qt::ControlModifier);
        seen << preview->PageText();
        QTest::keyClick(preview, Qt::Key_PageDown);
        seen << preview->PageText();
        QTest::keyClick(preview, Qt::Key_Escape);
    });
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QCOMPARE(seen, QStringList({QStringLiteral("Page 12 of 12"), QStringLiteral("Page 12 of 12"),
                                QStringLiteral("Page 11 of 12"), QStringLiteral("Page 1 of 12"),
                                QStringLiteral("Page 1 of 12"), QStringLiteral("Page 12 of 12"),
                                QStringLiteral("Page 1 of 12"), QStringLiteral("Page 2 of 12")}));
    // The layout walked the search dataset to its end.
    QCOMPARE(m_data->Position(), 11);
    QVERIFY(m_data->Eof());
}

void TestPreview::toolbarIsDeclaredInOrder()
{
    QStringList tips;
    QStringList disabledAtOpening;
    QSize closeSize;
    PreviewScript script(ClosePreview);
    script
        .Then([] { return TQRPreview::Current() != nullptr; },
              [&] {
                  TQRPreview* preview = TQRPreview::Current();
                  auto* bar = preview->findChild<QToolBar*>();
                  for (QAction* action : bar->actions()) {
                      if (action->isSeparator())
                          tips << QStringLiteral("|");
                      else if (auto* button = qobject_cast<QPushButton*>(bar->widgetForAction(action)))
                          tips << button->text();
                      else
                          tips << action->toolTip();
                      if (!action->isSeparator() && !action->isEnabled())
                          disabledAtOpening << action->toolTip();
                  }
                  closeSize = preview->findChild<QPushButton*>(QStringLiteral("CloseButton"))->size();
              })
        .Then(LaidOut, ClosePreview);
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QCOMPARE(
        tips.join(QLatin1Char(',')),
        QStringLiteral("|,Zoom to fit,100%,Zoom to width,|,First page,Previous page,Next page,Last page,|,"
                       "Printer setup,Print,|,Save Report,Load Report,|,&Close"));
    QCOMPARE(disabledAtOpening, QStringList({QStringLiteral("Printer setup"), QStringLiteral("Print")}));
    QCOMPARE(closeSize, QSize(40, 22));
}

void TestPreview::statusBarFollowsTheLayout()
{
    QStringList progress;
    m_data->AfterNext = [&](int) {
        if (TQRPreview* preview = TQRPreview::Current())
            progress << preview->ProgressText();
    };
    QString afterwards;
    PreviewScript script(ClosePreview);
    script.Then(LaidOut, [&] {
        afterwards = TQRPreview::Current()->ProgressText();
        ClosePreview();
    });
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    // Twelve entries: 8, 16, 25... per cent, each at least 5 more than the last shown.
    QCOMPARE(progress.first(), QStringLiteral("0%"));
    QCOMPARE(progress.at(1), QStringLiteral("8%"));
    QVERIFY(progress.contains(QStringLiteral("50%")));
    QCOMPARE(progress.last(), QStringLiteral("91%"));
    QCOMPARE(afterwards, QString());
}

void TestPreview::resizeKeepsTheLastZoomRule()
{
    int fitBefore = 0;
    int fitAfter = 0;
    int expectedFit = 0;
    int hundredAfter = 0;
    PreviewScript script(ClosePreview);
    script
        .Then(LaidOut,
              [&] {
                  TQRPreview* preview = TQRPreview::Current();
                  preview->showNormal();
                  preview->resize(652, 579);
                  preview->Action(QStringLiteral("ZoomToFit"))->trigger();
                  fitBefore = preview->View()->Zoom();
                  preview->resize(1000, 900);
              })
        .Then([] { return TQRPreview::Current()->View()->width() > 900; },
              [&] {
                  TQRPreview* preview = TQRPreview::Current();
                  fitAfter = preview->View()->Zoom();
                  expectedFit = preview->View()->FitZoom();
                  preview->Action(QStringLiteral("Zoom100"))->trigger();
                  preview->resize(700, 600);
              })
        .Then([] { return TQRPreview::Current()->View()->width() < 800; },
              [&] {
                  hundredAfter = TQRPreview::Current()->View()->Zoom();
                  ClosePreview();
              });
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QVERIFY(fitAfter > fitBefore);
    QCOMPARE(fitAfter, expectedFit);
    QCOMPARE(hundredAfter, 100);
}

void TestPreview::printerSetupRangeThenPrint()
{
    int maximum = 0;
    TQRPreview::ExecPrintDialog = [&](QPrintDialog& dialog) {
        maximum = dialog.maxPage();
        dialog.printer()->setPrintRange(QPrinter::PageRange);
        dialog.printer()->setFromTo(3, 5);
        return true;
    };
    const QString pdf = Pdf(QStringLiteral("printed.pdf"));
    PreviewScript script(ClosePreview);
    script
        .Then(LaidOut,
              [&] {
                  TQRPreview::Current()->Action(QStringLiteral("PrinterSetup"))->trigger();
                  TQRPreview::Current()->Action(QStringLiteral("Print"))->trigger();
              })
        .Then([&] { return QFile::exists(pdf) && !Report()->IsLayingOut(); }, ClosePreview);
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QCOMPARE(maximum, 12);
    QCOMPARE(Report()->PrinterSettings.FirstPage, 3);
    QCOMPARE(Report()->PrinterSettings.LastPage, 5);
    QCOMPARE(PdfPageCount(pdf), 3);
    const QString text = PdfText(pdf);
    QVERIFY(text.contains(Normalised(QStringLiteral("پرسش سوم"))));
    QVERIFY(text.contains(Normalised(QStringLiteral("پرسش پنجم"))));
    QVERIFY(!text.contains(Normalised(QStringLiteral("پرسش ششم"))));
}

void TestPreview::cancelInTheProgressWindowPrintsWhatIsLaidOut()
{
    const QString pdf = Pdf(QStringLiteral("printed.pdf"));
    PreviewScript script(ClosePreview);
    script
        .Then(LaidOut,
              [&] {
                  m_data->AfterNext = [](int position) {
                      if (position == 4) {
                          QTimer::singleShot(0, [] {
                              if (TQRProgress* progress = ProgressWindow())
                                  progress->CancelButton()->click();
                          });
                      }
                  };
                  TQRPreview::Current()->Action(QStringLiteral("Print"))->trigger();
              })
        .Then([&] { return QFile::exists(pdf) && !Report()->IsLayingOut(); }, ClosePreview);
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QCOMPARE(PdfPageCount(pdf), 4);
    QVERIFY(ProgressWindow() == nullptr);
}

void TestPreview::progressWindowShowsFives()
{
    TQRProgress progress;
    QCOMPARE(progress.windowTitle(), QStringLiteral("Printing progress"));
    QCOMPARE(progress.size(), QSize(149, 97));
    QVERIFY(progress.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(progress.Bar()->geometry(), QRect(16, 18, 114, 16));
    QCOMPARE(progress.CancelButton()->geometry(), QRect(36, 60, 75, 25));
    QCOMPARE(progress.Text()->geometry().left(), 0);
    QCOMPARE(progress.Text()->geometry().top(), 44);
    QCOMPARE(progress.Text()->width(), 145);
    QVERIFY(progress.Text()->geometry().bottom() < progress.CancelButton()->geometry().top());
    progress.SetProgress(40);
    QCOMPARE(progress.Text()->text(), QStringLiteral("40%  Completed"));
    QCOMPARE(progress.Bar()->value(), 40);
    // The line is whole: it shows as much ink as the same text with room to spare below it.
    QLabel roomy(progress.Text()->text());
    roomy.setFont(progress.Text()->font());
    roomy.setAlignment(progress.Text()->alignment());
    roomy.resize(progress.Text()->width(), progress.Text()->height() + 20);
    QCOMPARE(DarkPixels(progress.Text()->grab().toImage()), DarkPixels(roomy.grab().toImage()));
    progress.SetProgress(43);
    QCOMPARE(progress.Text()->text(), QStringLiteral("40%  Completed"));
    QCOMPARE(progress.Bar()->value(), 40);
    QSignalSpy cancel(&progress, &TQRProgress::CancelRequested);
    progress.CancelButton()->click();
    QCOMPARE(cancel.size(), 1);
}

void TestPreview::closingDuringTheLayoutLeavesNothing()
{
    QString storeFile;
    m_data->AfterNext = [&](int position) {
        if (position == 3) {
            QTimer::singleShot(0, [] { ClosePreview(); });
        }
    };
    TQRPreview::Request(*Report());
    QVERIFY(TQRPreview::Current() == nullptr);
    QVERIFY(!Report()->IsLayingOut());
    // The layout stopped before the fifth entry.
    QCOMPARE(m_data->Position(), 3);

    m_data->AfterNext = nullptr;
    QString pageText;
    PreviewScript script(ClosePreview);
    script.Then(LaidOut, [&] {
        pageText = TQRPreview::Current()->PageText();
        ClosePreview();
    });
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QCOMPARE(pageText, QStringLiteral("Page 1 of 12"));
}

void TestPreview::saveThenLoadShowsAndPrintsTheSamePages()
{
    const QString file = m_folder->filePath(QStringLiteral("saved"));
    QStringList captions;
    TQRPreview::SaveFileName = [&](QWidget*, const QString& caption, const QString&) {
        captions << caption;
        return file;
    };
    TQRPreview::OpenFileName = [&](QWidget*, const QString& caption, const QString&) {
        captions << caption;
        return file + QStringLiteral(".QRP");
    };
    QVector<QImage> before;
    QVector<QImage> after;
    bool setupEnabled = true;
    bool printEnabled = false;
    QString pageText;
    const QString pdf = Pdf(QStringLiteral("printed.pdf"));
    PreviewScript script(ClosePreview);
    script
        .Then(LaidOut,
              [&] {
                  TQRPreview* preview = TQRPreview::Current();
                  for (int page = 1; page <= preview->Store().PageCount(); ++page)
                      before << RenderPage(preview->Store().Page(page), preview->Store().PageSize);
                  preview->Action(QStringLiteral("SaveReport"))->trigger();
                  // Another layout in between: the loaded file, not the dataset, is what shows.
                  m_data->SetRecords(FakeDataSet::Entries(2));
                  preview->LastPage();
                  preview->Action(QStringLiteral("LoadReport"))->trigger();
                  for (int page = 1; page <= preview->Store().PageCount(); ++page)
                      after << RenderPage(preview->Store().Page(page), preview->Store().PageSize);
                  setupEnabled = preview->Action(QStringLiteral("PrinterSetup"))->isEnabled();
                  printEnabled = preview->Action(QStringLiteral("Print"))->isEnabled();
                  pageText = preview->PageText();
                  preview->Action(QStringLiteral("Print"))->trigger();
              })
        .Then([&] { return QFile::exists(pdf); }, ClosePreview);
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QCOMPARE(captions, QStringList({QStringLiteral("Save report"), QStringLiteral("Load report")}));
    QVERIFY(QFile::exists(file + QStringLiteral(".QRP")));
    QCOMPARE(before.size(), 12);
    QCOMPARE(after.size(), 12);
    QVERIFY(before == after);
    QVERIFY(!setupEnabled);
    QVERIFY(printEnabled);
    QCOMPARE(pageText, QStringLiteral("Page 1 of 12"));
    QCOMPARE(PdfPageCount(pdf), 12);
    QVERIFY(PdfText(pdf).contains(Normalised(QStringLiteral("پرسش دوازدهم"))));
}

void TestPreview::savingBeforeTheLayoutEndsSaysSo()
{
    const QString file = m_folder->filePath(QStringLiteral("early.QRP"));
    TQRPreview::SaveFileName = [&](QWidget*, const QString&, const QString&) { return file; };
    ModalAnswer answer([](QWidget* modal) { ModalAnswer::Press(modal, QStringLiteral("OK")); });
    m_data->AfterNext = [&](int position) {
        if (position == 2) {
            QTimer::singleShot(
                0, [] { TQRPreview::Current()->Action(QStringLiteral("SaveReport"))->trigger(); });
        }
    };
    PreviewScript script(ClosePreview);
    script.Then(LaidOut, ClosePreview);
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QCOMPARE(
        answer.Seen(),
        QStringList({QStringLiteral("Information|The report is still being prepared; nothing was saved.")}));
    QVERIFY(!QFile::exists(file));
}

void TestPreview::loadingAMissingFile()
{
    TQRPreview::OpenFileName = [&](QWidget*, const QString&, const QString&) {
        return m_folder->filePath(QStringLiteral("missing.QRP"));
    };
    QMessageBox::Icon icon = QMessageBox::Critical;
    ModalAnswer answer([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            icon = box->icon();
        ModalAnswer::Press(modal, QStringLiteral("OK"));
    });
    QString pageText;
    PreviewScript script(ClosePreview);
    script.Then(LaidOut, [&] {
        TQRPreview::Current()->Action(QStringLiteral("LoadReport"))->trigger();
        pageText = TQRPreview::Current()->PageText();
        ClosePreview();
    });
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QCOMPARE(answer.Seen(), QStringList({QStringLiteral("Velnora|File does not exist")}));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(pageText, QStringLiteral("Page 1 of 12"));
}

void TestPreview::loadingADamagedFileLeavesThePreview()
{
    const QString file = m_folder->filePath(QStringLiteral("damaged.QRP"));
    QFile damaged(file);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("VQRP") + QByteArray(200, '\x7f'));
    damaged.close();
    TQRPreview::OpenFileName = [&](QWidget*, const QString&, const QString&) { return file; };
    QString pageText;
    int pages = 0;
    bool setupEnabled = false;
    PreviewScript script(ClosePreview);
    script.Then(LaidOut, [&] {
        TQRPreview* preview = TQRPreview::Current();
        preview->LastPage();
        preview->Action(QStringLiteral("LoadReport"))->trigger();
        pageText = preview->PageText();
        pages = preview->Store().PageCount();
        setupEnabled = preview->Action(QStringLiteral("PrinterSetup"))->isEnabled();
        ClosePreview();
    });
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QCOMPARE(pageText, QStringLiteral("Page 12 of 12"));
    QCOMPARE(pages, 12);
    QVERIFY(setupEnabled);
}

void TestPreview::printUsesTheDatasetAsItIsNow()
{
    const QString pdf = Pdf(QStringLiteral("printed.pdf"));
    PreviewScript script(ClosePreview);
    script
        .Then(LaidOut,
              [&] {
                  m_data->SetRecords(
                      {FakeDataSet::Entry(QStringLiteral("پرسش تازه"), QStringLiteral("پاسخ تازه"),
                                          QStringLiteral("منبع تازه")),
                       FakeDataSet::Entry(QStringLiteral("پرسش دیگر"), QStringLiteral("پاسخ دیگر"),
                                          QStringLiteral("منبع دیگر"))});
                  TQRPreview::Current()->Action(QStringLiteral("Print"))->trigger();
              })
        .Then([&] { return QFile::exists(pdf) && !Report()->IsLayingOut(); }, ClosePreview);
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QCOMPARE(PdfPageCount(pdf), 2);
    const QString text = PdfText(pdf);
    QVERIFY(text.contains(Normalised(QStringLiteral("تازه"))));
    QVERIFY(!text.contains(Normalised(QStringLiteral("یکم"))));
}

void TestPreview::requestWhileOpenDoesNothing()
{
    TQRPreview* first = nullptr;
    TQRPreview* during = nullptr;
    int position = -1;
    PreviewScript script(ClosePreview);
    script.Then(LaidOut, [&] {
        first = TQRPreview::Current();
        m_data->First();
        TQRPreview::Request(*Report());
        during = TQRPreview::Current();
        position = m_data->Position();
        ClosePreview();
    });
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QVERIFY(first != nullptr);
    QCOMPARE(during, first);
    QCOMPARE(position, 0);
}

void TestPreview::closingDuringAPrintoutAbandonsIt()
{
    const QString pdf = Pdf(QStringLiteral("printed.pdf"));
    PreviewScript script(ClosePreview);
    script.Then(LaidOut, [&] {
        m_data->AfterNext = [](int position) {
            if (position == 2)
                QTimer::singleShot(0, [] { ClosePreview(); });
        };
        TQRPreview::Current()->Action(QStringLiteral("Print"))->trigger();
    });
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QVERIFY(!Report()->IsLayingOut());
    QCOMPARE(m_data->Position(), 2);
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(ProgressWindow() == nullptr);
}

void TestPreview::closingBeforeAPrintoutStartsAbandonsIt()
{
    const QString pdf = Pdf(QStringLiteral("printed.pdf"));
    PreviewScript script(ClosePreview);
    script.Then(LaidOut, [&] {
        // The request is carried out from the event loop; the preview closes before it gets there.
        TQRPreview::Current()->Action(QStringLiteral("Print"))->trigger();
        ClosePreview();
    });
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QTest::qWait(50);
    QVERIFY(!Report()->IsLayingOut());
    QCOMPARE(m_data->Position(), 11);
    QVERIFY(!QFile::exists(pdf));
}

void TestPreview::withoutAPrinterPrintDoesNothing()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("A printer is installed here");
    Report()->PrinterSettings.OutputFileName.clear();
    bool progressSeen = false;
    PreviewScript script(ClosePreview);
    script
        .Then(LaidOut,
              [&] {
                  m_data->AfterNext = [&](int) {
                      progressSeen = progressSeen || ProgressWindow() != nullptr;
                  };
                  TQRPreview::Current()->Action(QStringLiteral("Print"))->trigger();
              })
        .Then([] { return true; }, [] { QTest::qWait(50); })
        .Then([] { return true; }, ClosePreview);
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QVERIFY(!progressSeen);
    // The dataset was not walked again.
    QCOMPARE(m_data->Position(), 11);
}

void TestPreview::theFileDialogsTakeTheNameAsTyped_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<bool>("written");
    // The preview, not the dialog, tells of a name that does not exist.
    QTest::newRow("load a name that does not exist")
        << "LoadReport"
        << "missing.QRP" << QStringList{QStringLiteral("Velnora|File does not exist")} << false;
    // An existing file is replaced without a question.
    QTest::newRow("save over an existing file") << "SaveReport"
                                                << "existing.QRP" << QStringList() << true;
}

void TestPreview::theFileDialogsTakeTheNameAsTyped()
{
    QFETCH(QString, action);
    QFETCH(QString, name);
    QFETCH(QStringList, boxes);
    QFETCH(bool, written);
    TQRPreview::SaveFileName = m_systemSave;
    TQRPreview::OpenFileName = m_systemOpen;
    const QString file = m_folder->filePath(name);
    {
        QFile existing(m_folder->filePath(QStringLiteral("existing.QRP")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("mine");
    }
    // The name is typed into the dialog once and the dialog accepted; anything it asks is answered
    // No, and a dialog still open after that is cancelled. The name is typed rather than selected:
    // the dialog ignores a selected name while its name box has the focus.
    int dialogs = 0;
    ModalAnswer answer([&](QWidget* modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (dialogs++ == 0) {
                auto* typed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                QVERIFY(typed != nullptr);
                typed->setText(file);
                static_cast<QDialog*>(dialog)->accept(); // as the dialog's own button does
            } else {
                dialog->reject();
            }
            return;
        }
        const auto* box = qobject_cast<QMessageBox*>(modal);
        const bool told = box != nullptr && box->text() == QLatin1String("File does not exist");
        ModalAnswer::Press(modal, told ? QStringLiteral("OK") : QStringLiteral("No"));
    });
    PreviewScript script(ClosePreview);
    script.Then(LaidOut, [&] {
        TQRPreview::Current()->Action(action)->trigger();
        ClosePreview();
    });
    TQRPreview::Request(*Report());
    QVERIFY(script.Finished());
    QCOMPARE(dialogs, 1);
    QCOMPARE(answer.Seen(), boxes);
    QFile result(file);
    QCOMPARE(result.open(QIODevice::ReadOnly) && result.readAll().startsWith("VQRP"), written);
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallPersianFontSubstitutes();
    TestPreview test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestPreview.moc"
