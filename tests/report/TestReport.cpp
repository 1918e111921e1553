#include "FakeDataSet.h"
#include "PersianFonts.h"
#include "PictureSurface.h"
#include "PrinterSurface.h"
#include "ReportImage.h"
#include "ReportTesting.h"
#include "TQRDBRichText.h"
#include "TQRImage.h"
#include "TQRLabel.h"
#include "TQuickRep.h"
#include "Unit3.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPicture>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QtMath>

#include <memory>

namespace {

// Notes where its band stands each time the band is printed, and on which page.
class BandProbe : public TQRPrintable
{
public:
    struct Seen
    {
        int page;
        QPointF origin;
    };

    BandProbe(const int* page, QVector<Seen>* seen)
        : TQRPrintable(QStringLiteral("Probe"), {0, 0, 0, 0}), m_page(page), m_seen(seen)
    {}
    void Print(const TQRPrintContext& context) override { m_seen->append({*m_page, context.bandOrigin}); }

private:
    const int* m_page;
    QVector<Seen>* m_seen;
};

double PixelsPerTenth()
{
    return QPicture().logicalDpiX() / 254.0;
}

// The region of a page, given in tenths of a millimetre, in the page image's pixels.
QRect PageRegion(double left, double top, double width, double height)
{
    const double scale = PixelsPerTenth();
    return QRect(qRound(left * scale), qRound(top * scale), qRound(width * scale), qRound(height * scale));
}

bool AllWhite(const QImage& image, const QRect& region)
{
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
        }
    }
    return true;
}

QString LongPersianText(int words)
{
    static const QStringList vocabulary{
        QStringLiteral("ایمان"), QStringLiteral("باور"), QStringLiteral("دل"),  QStringLiteral("خداوند"),
        QStringLiteral("پرسش"),  QStringLiteral("کتاب"), QStringLiteral("راه"), QStringLiteral("روشن")};
    QStringList text;
    for (int i = 0; i < words; ++i)
        text.append(vocabulary.at(i % vocabulary.size()));
    return text.join(QLatin1Char(' '));
}

// Records pages as the preview's surface does, except that the painter encodes each picture as it is
// drawn.
class PaintedPicturesSurface : public PictureSurface
{
public:
    using PictureSurface::PictureSurface;
    void DrawImage(QPainter& painter, const QRectF& box, const ReportImage& image) override
    {
        ReportSurface::DrawImage(painter, box, image);
    }
};

// The data of each page of a layout onto the given kind of picture surface.
template <class Surface>
QList<QByteArray> RecordedPages(TQuickRep& report)
{
    QList<QByteArray> pages;
    Surface surface(
        [&pages](const QPicture& page, const QSize&) { pages.append(QByteArray(page.data(), page.size())); });
    report.LayOut(surface);
    return pages;
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void declaredDefinition();
    void pagesPerDataset_data();
    void pagesPerDataset();
    void closedDatasetGivesEmptyBoxes();
    void bandsStandWhereTheyBelong();
    void landscapeGivesEachEntryAPage();
    void progressCountsEntries();
    void datasetEndsOnTheLastEntry();
    void cancelStopsBeforeTheNextEntry_data();
    void cancelStopsBeforeTheNextEntry();
    void picturesAreRecordedAsPainted();
    void labelsMeasureTheirCaption();
    void longQuestionIsCutAtAWholeLine();
    void tableIsCutAtAWholeLine();
    void labelsCoverTheTextUnderThem();
    void richTextAndPlainValues();
    void pdfThroughPrinter();
    void printerMarginIsTakenOff();

private:
    std::unique_ptr<FakeDataSet> m_data;
    std::unique_ptr<TForm3> m_form;
    TQuickRep* Report() const { return m_form->QuickRep1; }
};

void TestReport::init()
{
    m_data = std::make_unique<FakeDataSet>();
    m_form = std::make_unique<TForm3>(m_data.get());
}

void TestReport::declaredDefinition()
{
    TQuickRep* report = Report();
    QCOMPARE(report->objectName(), QStringLiteral("QuickRep1"));
    QCOMPARE(m_form->layoutDirection(), Qt::RightToLeft);
    QVERIFY(!m_form->isVisible());
    QCOMPARE(report->Page.Values, (std::array<double, 7>{50.0, 2970.0, 50.0, 2100.0, 100.0, 100.0, 0.0}));
    QVERIFY(report->PrintIfEmpty);
    QVERIFY(report->Options & TQuickRep::FirstPageHeader);
    QCOMPARE(report->PrinterSettings.Copies, 1);
    QCOMPARE(report->PrinterSettings.FirstPage, 0);
    QCOMPARE(report->PrinterSettings.LastPage, 0);
    TQRBand* header = report->Band(TQRBandType::rbPageHeader);
    TQRBand* detail = report->Band(TQRBandType::rbDetail);
    QCOMPARE(header->Height(), 261.9375);
    QCOMPARE(detail->Height(), 2611.4375);
    QCOMPARE(detail->Width(), 1899.708333333333);
    QStringList order;
    for (TQRBand* band : {header, detail}) {
        for (const auto& control : band->Controls())
            order << control->Name();
    }
    QCOMPARE(order, QStringList({QStringLiteral("QRShape1"), QStringLiteral("QRImage1"),
                                 QStringLiteral("QRLabel2"), QStringLiteral("QRDBRichText2"),
                                 QStringLiteral("QRDBRichText3"), QStringLiteral("QRDBRichText1"),
                                 QStringLiteral("QRLabel3"), QStringLiteral("QRLabel4"),
                                 QStringLiteral("QRLabel5"), QStringLiteral("QRLabel1")}));
    auto* banner = dynamic_cast<TQRLabel*>(report->FindControl(QStringLiteral("QRLabel2")));
    QCOMPARE(banner->Font().pointSize(), 20);
    QVERIFY(banner->Font().bold());
    QCOMPARE(dynamic_cast<TQRLabel*>(report->FindControl(QStringLiteral("QRLabel1")))->Font().pointSize(),
             10);
    QCOMPARE(dynamic_cast<TQRLabel*>(report->FindControl(QStringLiteral("QRLabel1")))->Caption(),
             QStringLiteral("www.olvandar.org"));
    auto* sources = dynamic_cast<TQRDBRichText*>(report->FindControl(QStringLiteral("QRDBRichText3")));
    QCOMPARE(sources->DataField(), QStringLiteral("pavaraghi"));
    QCOMPARE(sources->Font().pointSize(), 4);
    auto* emblem = dynamic_cast<TQRImage*>(report->FindControl(QStringLiteral("QRImage1")));
    QCOMPARE(emblem->Picture().size(), QSize(200, 234));
}

void TestReport::pagesPerDataset_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("pages");
    QTest::newRow("open, no entries") << true << 0 << 1;
    QTest::newRow("closed") << false << 0 << 1;
    QTest::newRow("one entry") << true << 1 << 1;
    QTest::newRow("three entries") << true << 3 << 3;
}

void TestReport::pagesPerDataset()
{
    QFETCH(bool, open);
    QFETCH(int, records);
    QFETCH(int, pages);
    m_data->SetRecords(FakeDataSet::Entries(records));
    m_data->SetOpen(open);
    QSignalSpy finished(Report(), &TQuickRep::PageFinished);
    const LaidOutPages result = LayOutToPictures(*Report());
    QCOMPARE(result.outcome, TQuickRep::Outcome::Finished);
    QCOMPARE(result.pages.size(), pages);
    QCOMPARE(finished.size(), pages);
    QCOMPARE(finished.last().at(0).toInt(), pages);
    // A4 at the screen's resolution.
    QCOMPARE(result.size, QSize(qRound(2100 * PixelsPerTenth()), qRound(2970 * PixelsPerTenth())));
    QVERIFY(!Report()->IsLayingOut());
}

void TestReport::closedDatasetGivesEmptyBoxes()
{
    m_data->SetRecords(FakeDataSet::Entries(1));
    const LaidOutPages filled = LayOutToPictures(*Report());
    m_data->SetOpen(false);
    const LaidOutPages closed = LayOutToPictures(*Report());
    m_data->SetOpen(true);
    m_data->SetRecords({});
    const LaidOutPages empty = LayOutToPictures(*Report());
    const QImage closedImage = RenderPage(closed.pages.at(0), closed.size);
    QCOMPARE(closedImage, RenderPage(empty.pages.at(0), empty.size));
    QVERIFY(closedImage != RenderPage(filled.pages.at(0), filled.size));
}

void TestReport::bandsStandWhereTheyBelong()
{
    int page = 0;
    QVector<BandProbe::Seen> header;
    QVector<BandProbe::Seen> detail;
    Report()->Band(TQRBandType::rbPageHeader)->Add<BandProbe>(&page, &header);
    Report()->Band(TQRBandType::rbDetail)->Add<BandProbe>(&page, &detail);
    connect(Report(), &TQuickRep::PageFinished, this, [&page](int finished) { page = finished; });
    m_data->SetRecords(FakeDataSet::Entries(2));
    LayOutToPictures(*Report());
    QCOMPARE(header.size(), 2);
    QCOMPARE(detail.size(), 2);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(header.at(i).page, i);
        QCOMPARE(header.at(i).origin, QPointF(100, 50));
        QCOMPARE(detail.at(i).page, i);
        QCOMPARE(detail.at(i).origin, QPointF(100, 312));
    }
}

void TestReport::landscapeGivesEachEntryAPage()
{
    int page = 0;
    QVector<BandProbe::Seen> detail;
    Report()->Band(TQRBandType::rbDetail)->Add<BandProbe>(&page, &detail);
    connect(Report(), &TQuickRep::PageFinished, this, [&page](int finished) { page = finished; });
    Report()->Page.Orientation = QPageLayout::Landscape;
    m_data->SetRecords(FakeDataSet::Entries(3));
    const LaidOutPages result = LayOutToPictures(*Report());
    QCOMPARE(result.pages.size(), 3);
    QCOMPARE(result.size.width() > result.size.height(), true);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(detail.at(i).page, i);
        QCOMPARE(detail.at(i).origin.y(), 312.0);
    }
}

void TestReport::progressCountsEntries()
{
    QSignalSpy progress(Report(), &TQuickRep::ProgressChanged);
    m_data->SetRecords(FakeDataSet::Entries(3));
    LayOutToPictures(*Report());
    QCOMPARE(progress.size(), 3);
    QCOMPARE(progress.at(0).at(0).toInt(), 33);
    QCOMPARE(progress.at(1).at(0).toInt(), 66);
    QCOMPARE(progress.at(2).at(0).toInt(), 100);

    // Without a record count each entry counts as a hundred per cent.
    progress.clear();
    m_data->SetCountFails(true);
    const LaidOutPages result = LayOutToPictures(*Report());
    QCOMPARE(result.pages.size(), 3);
    QCOMPARE(progress.size(), 3);
    QCOMPARE(progress.at(0).at(0).toInt(), 100);
    QCOMPARE(progress.at(2).at(0).toInt(), 300);
}

void TestReport::datasetEndsOnTheLastEntry()
{
    m_data->SetRecords(FakeDataSet::Entries(5));
    LayOutToPictures(*Report());
    QCOMPARE(m_data->Position(), 4);
    QVERIFY(m_data->Eof());
}

void TestReport::cancelStopsBeforeTheNextEntry_data()
{
    QTest::addColumn<bool>("abandon");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("pages");
    QTest::newRow("stop: the pages so far") << false << int(TQuickRep::Outcome::Stopped) << 2;
    QTest::newRow("abandon: nothing") << true << int(TQuickRep::Outcome::Aborted) << 0;
}

void TestReport::cancelStopsBeforeTheNextEntry()
{
    QFETCH(bool, abandon);
    QFETCH(int, outcome);
    QFETCH(int, pages);
    m_data->SetRecords(FakeDataSet::Entries(5));
    // The cancel request arrives as an event, run before the third entry.
    m_data->AfterNext = [&](int position) {
        if (position == 2)
            QMetaObject::invokeMethod(
                Report(), [&] { Report()->Cancel(abandon); }, Qt::QueuedConnection);
    };
    int delivered = 0;
    bool aborted = false;
    struct Watch : PictureSurface
    {
        using PictureSurface::PictureSurface;
        bool* aborted = nullptr;
        void AbortDocument() override
        {
            *aborted = true;
            PictureSurface::AbortDocument();
        }
    } watched([&](const QPicture&, const QSize&) { ++delivered; });
    watched.aborted = &aborted;
    QCOMPARE(int(Report()->LayOut(watched)), outcome);
    QCOMPARE(aborted, abandon);
    if (!abandon)
        QCOMPARE(delivered, pages);
    QCOMPARE(m_data->Position(), 2);
}

void TestReport::picturesAreRecordedAsPainted()
{
    // The declared report, whose header has the emblem, and a page with two pictures of other sizes
    // around a caption. Each is laid out twice: the second layout takes the kept encodings.
    m_data->SetRecords(FakeDataSet::Entries(3));
    TQuickRep twoPictures;
    twoPictures.Page.Values = {50.0, 2970.0, 50.0, 2100.0, 100.0, 100.0, 0.0};
    TQRBand& band = twoPictures.AddBand(QStringLiteral("Detail"), TQRBandType::rbDetail, {1000.0, 1900.0});
    band.Add<TQRImage>(QStringLiteral("Emblem"), std::array<double, 4>{350.0, 100.0, 100.0, 300.0},
                       QStringLiteral(":/assets/emblem.jpg"));
    band.Add<TQRLabel>(QStringLiteral("Caption"), std::array<double, 4>{50.0, 500.0, 100.0, 200.0},
                       QStringLiteral("پرسش:"), QFont(QStringLiteral("Arial"), 10));
    band.Add<TQRImage>(QStringLiteral("Skin"), std::array<double, 4>{400.0, 800.0, 100.0, 600.0},
                       QStringLiteral(":/assets/skin.jpg"));
    const struct
    {
        TQuickRep* report;
        int pages;
        QList<QRect> pictures;
    } cases[] = {
        {Report(), 3, {PageRegion(100 + 1693.3, 50 + 21.2, 179.9, 214.3).adjusted(2, 2, -2, -2)}},
        {&twoPictures,
         1,
         {PageRegion(200, 150, 300, 350).adjusted(2, 2, -2, -2),
          PageRegion(900, 150, 600, 400).adjusted(2, 2, -2, -2)}},
    };
    for (const auto& test : cases) {
        const QList<QByteArray> painted = RecordedPages<PaintedPicturesSurface>(*test.report);
        QCOMPARE(painted.size(), test.pages);
        for (int layout = 0; layout < 2; ++layout) {
            const QList<QByteArray> pages = RecordedPages<PictureSurface>(*test.report);
            QCOMPARE(pages, painted);
        }
        QPicture page;
        page.setData(painted.first().constData(), uint(painted.first().size()));
        const QSize paper(qRound(2100 * PixelsPerTenth()), qRound(2970 * PixelsPerTenth()));
        const QImage shown = RenderPage(page, paper);
        for (const QRect& picture : test.pictures)
            QVERIFY(!AllWhite(shown, picture));
    }
}

void TestReport::labelsMeasureTheirCaption()
{
    const QPicture device;
    for (const QString& name : {QStringLiteral("QRLabel1"), QStringLiteral("QRLabel3"),
                                QStringLiteral("QRLabel5"), QStringLiteral("QRLabel2")}) {
        auto* label = dynamic_cast<TQRLabel*>(Report()->FindControl(name));
        QVERIFY2(label != nullptr, qPrintable(name));
        const QRectF box = label->MeasuredBox(device);
        const QFontMetricsF metrics(label->Font(), &device);
        QCOMPARE(box.width(), metrics.horizontalAdvance(label->Caption()));
        QVERIFY(qAbs(box.right() - (label->Left() + label->Width()) * PixelsPerTenth()) < 1e-6);
        QVERIFY(box.height() >= metrics.height() + 1);
    }
}

void TestReport::longQuestionIsCutAtAWholeLine()
{
    auto* question = dynamic_cast<TQRDBRichText*>(Report()->FindControl(QStringLiteral("QRDBRichText1")));
    QVERIFY(question != nullptr);
    const QString longQuestion = LongPersianText(400);
    const QPicture device;
    QTextDocument document;
    question->Load(longQuestion, document, device);
    document.setTextWidth(question->Width() * PixelsPerTenth());
    const double boxHeight = question->Height() * PixelsPerTenth();
    const double fitting =
        TQRDBRichText::DrawnRegion(document, QSizeF(document.textWidth(), boxHeight)).boundingRect().height();
    const QTextLine first = document.begin().layout()->lineAt(0);
    const int wholeLines = int(boxHeight / first.height());
    QVERIFY2(wholeLines >= 1 && fitting < boxHeight,
             qPrintable(QStringLiteral("%1 %2 %3").arg(boxHeight).arg(first.height()).arg(fitting)));
    QVERIFY(qAbs(fitting - wholeLines * first.height()) < 1.0);
    QVERIFY(document.size().height() > boxHeight);

    m_data->SetRecords({FakeDataSet::Entry(QStringLiteral("کوتاه"), QString(), QString())});
    const LaidOutPages shortPage = LayOutToPictures(*Report());
    m_data->SetRecords({FakeDataSet::Entry(longQuestion, QString(), QString())});
    const LaidOutPages longPage = LayOutToPictures(*Report());
    const QImage shortImage = RenderPage(shortPage.pages.at(0), shortPage.size);
    const QImage longImage = RenderPage(longPage.pages.at(0), longPage.size);
    // Below the whole lines, down to the answer heading, the question box stays white.
    const double detailTop = 312;
    const QRect belowLines = PageRegion(100, detailTop + question->Top() + fitting / PixelsPerTenth() + 1,
                                        1500, question->Height() - fitting / PixelsPerTenth() - 2);
    QVERIFY(AllWhite(longImage, belowLines));
    // The answer heading and everything under it are where they were.
    const QRect answerPart = PageRegion(100, detailTop + 172, 1900, 2400);
    QCOMPARE(longImage.copy(answerPart), shortImage.copy(answerPart));
    QVERIFY(longImage.copy(PageRegion(100, detailTop + 55, 1900, 116)) !=
            shortImage.copy(PageRegion(100, detailTop + 55, 1900, 116)));
}

void TestReport::tableIsCutAtAWholeLine()
{
    auto* answer = dynamic_cast<TQRDBRichText*>(Report()->FindControl(QStringLiteral("QRDBRichText2")));
    QVERIFY(answer != nullptr);
    // A paragraph, then a right-to-left row whose cells hold lines of two sizes side by side.
    QString cells;
    for (int i = 0; i < 40; ++i)
        cells += QStringLiteral("\\'c7\\'e1\\'dd\\par ");
    QString small;
    for (int i = 0; i < 70; ++i)
        small += QStringLiteral("\\'c8\\par ");
    const QString rtf =
        QStringLiteral("{\\rtf1\\ansi\\ansicpg1256{\\fonttbl{\\f0\\fcharset178 Tahoma;}}\\f0 ") +
        QStringLiteral("\\'c7\\'e1\\'dd\\par\\trowd\\rtlrow\\trgaph108\\clbrdrt\\brdrs\\cellx3000") +
        QStringLiteral("\\cellx6000\\pard\\intbl\\fs28 ") + cells + QStringLiteral("\\cell\\fs17 ") + small +
        QStringLiteral("\\cell\\row}");
    const QPicture device;
    QTextDocument document;
    answer->Load(rtf, document, device);
    document.setTextWidth(answer->Width() * PixelsPerTenth());
    const QSizeF box(document.textWidth(), 300);
    const QRegion drawn = TQRDBRichText::DrawnRegion(document, box);
    QVERIFY(!drawn.isEmpty());
    // Every line is drawn whole or not at all; each cell shows the lines that fit in it.
    QList<int> linesPerCell;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRectF blockBox = document.documentLayout()->blockBoundingRect(block);
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            const QRect rect =
                QRectF(blockBox.left() + line.x(), blockBox.top() + line.y(), line.width(), line.height())
                    .toAlignedRect()
                    .adjusted(1, 1, -1, -1);
            const QRegion shown = drawn.intersected(rect);
            QVERIFY2(shown.isEmpty() || shown == QRegion(rect),
                     qPrintable(QStringLiteral("line at %1 to %2").arg(rect.top()).arg(rect.bottom())));
            QCOMPARE(!shown.isEmpty(), blockBox.top() + line.y() + line.height() <= box.height());
        }
    }
    // A table that fits is drawn whole, the border under its last row included.
    QTextDocument whole;
    answer->Load(QStringLiteral("{\\rtf1\\trowd\\clbrdrb\\brdrs\\cellx3000\\pard\\intbl a\\cell\\row}"),
                 whole, device);
    whole.setTextWidth(box.width());
    QCOMPARE(TQRDBRichText::DrawnRegion(whole, box), QRegion(0, 0, qCeil(box.width()), 300));
}

void TestReport::labelsCoverTheTextUnderThem()
{
    const QString full = LongPersianText(3000);
    m_data->SetRecords({FakeDataSet::Entry(full, full, full)});
    const LaidOutPages textPage = LayOutToPictures(*Report());
    m_data->SetRecords({FakeDataSet::Entry(QString(), QString(), QString())});
    const LaidOutPages emptyPage = LayOutToPictures(*Report());
    const QImage withText = RenderPage(textPage.pages.at(0), textPage.size);
    const QImage withoutText = RenderPage(emptyPage.pages.at(0), emptyPage.size);
    const QPicture device;
    for (const QString& name :
         {QStringLiteral("QRLabel4"), QStringLiteral("QRLabel3"), QStringLiteral("QRLabel1")}) {
        auto* label = dynamic_cast<TQRLabel*>(Report()->FindControl(name));
        const QRect box = label->MeasuredBox(device)
                              .translated(100 * PixelsPerTenth(), 312 * PixelsPerTenth())
                              .toAlignedRect()
                              .adjusted(1, 1, -1, -1);
        QVERIFY2(withText.copy(box) == withoutText.copy(box), qPrintable(name));
    }
    // Beside the answer heading the answer's first line shows.
    QVERIFY(!AllWhite(withText, PageRegion(200, 312 + 212, 1500, 20)));
}

void TestReport::richTextAndPlainValues()
{
    auto* answer = dynamic_cast<TQRDBRichText*>(Report()->FindControl(QStringLiteral("QRDBRichText2")));
    auto* sources = dynamic_cast<TQRDBRichText*>(Report()->FindControl(QStringLiteral("QRDBRichText3")));
    const QPicture device;

    QTextDocument rtf;
    answer->Load(
        QStringLiteral("{\\rtf1\\ansi\\ansicpg1256\\deff0{\\fonttbl{\\f0\\fnil\\fcharset178 Tahoma;}}"
                       "\\pard\\rtlpar\\qr\\f0\\fs20 \\b \\'c8\\'d3\\'e3\\b0  \\'c7\\'e1\\'e1\\'e5\\par}"),
        rtf, device);
    QCOMPARE(rtf.toPlainText(), QStringLiteral("بسم الله\n"));
    QTextCursor cursor(&rtf);
    cursor.setPosition(1);
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(cursor.charFormat().fontPointSize(), 10.0);
    cursor.setPosition(6);
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Normal));
    QCOMPARE(rtf.begin().blockFormat().layoutDirection(), Qt::RightToLeft);

    QTextDocument plain;
    answer->Load(QStringLiteral("یک\r\nدو\rسه\nچهار {\\b نه}"), plain, device);
    QCOMPARE(plain.blockCount(), 4);
    QCOMPARE(plain.lastBlock().text(), QStringLiteral("چهار {\\b نه}"));
    QCOMPARE(plain.defaultFont().family(), QStringLiteral("Tahoma"));
    QCOMPARE(plain.defaultFont().pointSize(), 8);
    QCOMPARE(plain.defaultTextOption().textDirection(), Qt::RightToLeft);

    QTextDocument small;
    sources->Load(QStringLiteral("منبع"), small, device);
    QCOMPARE(small.defaultFont().pointSize(), 4);
}

void TestReport::pdfThroughPrinter()
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
    QVector<FakeDataSet::Record> entries;
    entries << FakeDataSet::Entry(QStringLiteral("ایمان چیست؟"), QStringLiteral("ایمان باور قلبی است."),
                                  QStringLiteral("کتاب یکم"))
            << FakeDataSet::Entry(QStringLiteral("نماز کدام است؟"), QStringLiteral("نماز ستون دین است."),
                                  QStringLiteral("کتاب دوم"))
            << FakeDataSet::Entry(QStringLiteral("روزه چرا؟"), QStringLiteral("روزه پرهیز است."),
                                  QStringLiteral("کتاب سوم"));
    m_data->SetRecords(entries);
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        PrinterSurface surface(printer, 0, 0);
        QCOMPARE(Report()->LayOut(surface), TQuickRep::Outcome::Finished);
        QCOMPARE(surface.PagesSent(), 3);
    }
    QCOMPARE(PdfPageCount(pdf), 3);
    const QString text = PdfText(pdf);
    const QStringList pages = text.split(QLatin1Char('\f'));
    QVERIFY(pages.size() >= 3);
    for (int i = 0; i < 3; ++i) {
        QVERIFY2(pages.at(i).contains(QStringLiteral("www.olvandar.org")), qPrintable(pages.at(i)));
        QVERIFY(pages.at(i).contains(QStringLiteral("Olvandar")));
        QVERIFY(pages.at(i).contains(Normalised(QStringLiteral("پرسش"))));
        for (const QString& field :
             {QStringLiteral("porsesh"), QStringLiteral("pasokh"), QStringLiteral("pavaraghi")}) {
            for (const QString& word : entries.at(i).value(field).split(QLatin1Char(' '))) {
                QString bare = word;
                bare.remove(QRegularExpression(QStringLiteral("[.؟]")));
                QVERIFY2(pages.at(i).contains(Normalised(bare)),
                         qPrintable(word + QLatin1String(" | ") + pages.at(i)));
            }
        }
    }
}

void TestReport::printerMarginIsTakenOff()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm (poppler-utils) is not installed");
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("margin.pdf"));
    m_data->SetRecords(FakeDataSet::Entries(1));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(25, 30, 25, 30), QPageLayout::Millimeter);
        PrinterSurface surface(printer, 0, 0);
        Report()->LayOut(surface);
    }
    // At 254 pixels per inch a pixel is a tenth of a millimetre.
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), pdf, folder.filePath(QStringLiteral("page"))});
    QVERIFY(render.waitForFinished(60000));
    const QImage page(folder.filePath(QStringLiteral("page.png")));
    QVERIFY(!page.isNull());
    // The banner's outline: its top-left corner 10 mm across and 5 mm down.
    const int y = 50 + 120;
    int left = -1;
    for (int x = 0; x < 400 && left < 0; ++x) {
        if (qGray(page.pixel(x, y)) < 128)
            left = x;
    }
    int top = -1;
    for (int row = 0; row < 300 && top < 0; ++row) {
        if (qGray(page.pixel(500, row)) < 128)
            top = row;
    }
    QVERIFY2(qAbs(left - 100) <= 2, qPrintable(QString::number(left)));
    QVERIFY2(qAbs(top - 50) <= 2, qPrintable(QString::number(top)));
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallPersianFontSubstitutes();
    TestReport test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestReport.moc"
