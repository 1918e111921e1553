#include "FakeDataSet.h"
#include "PictureText.h"
#include "PrinterSurface.h"
#include "ReportTesting.h"
#include "TADOConnection.h"
#include "TADOTable.h"
#include "TApplication.h"
#include "TDBGrid.h"
#include "TDBMemo.h"
#include "TDBText.h"
#include "TDataSource.h"
#include "TQRPageStore.h"
#include "TQRReportFile.h"
#include "TestDatabase.h"
#include "Unit1.h"
#include "Unit3.h"

#include <QLineEdit>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

// Strings whose right-to-left reading differs from a left-to-right one.
const std::pair<const char*, QString> Strings[] = {
    {"title ending in a full stop", QStringLiteral("معنای توحید چیست.")},
    {"quotes", QStringLiteral("معنای 'توکل' و \"رضا\"")},
    {"guillemets and brackets", QStringLiteral("مقام «رضا» در (اخلاق) اسلامی")},
    {"Latin words", QStringLiteral("برنامه با Qt 6.4 و SQLite.")},
    {"three kinds of digits", QStringLiteral("در سال ۱۴۰۲ و ١٤٠٢ و 1402 چه گذشت؟")},
    {"leading Latin word", QStringLiteral("Velnora برای خواندن پرسش‌ها")},
    {"colon heading", QStringLiteral("پرسش:")},
};

// A run of text as a reader sees it: where it stands on its line, its characters and direction.
struct Placed
{
    int line;
    double x;
    QString text;
    bool rightToLeft;
};

QString WithoutControls(QString text)
{
    static const QRegularExpression controls(
        QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}]"));
    return text.remove(controls);
}

// The runs of a recorded drawing, in the order drawn.
QList<Placed> Arrangement(const QPicture& picture)
{
    QList<Placed> placed;
    for (const PictureText::Run& run : PictureText::Runs(QByteArrayView(picture.data(), picture.size()))) {
        const QString text = WithoutControls(run.text);
        if (!text.isEmpty())
            placed.append({int(std::lround(run.start.y())), run.start.x(), text, run.rightToLeft});
    }
    return placed;
}

// Runs of one line as a reader sees them: from the left, each at its distance from the first.
QList<Placed> AsLine(QList<Placed> runs)
{
    std::stable_sort(runs.begin(), runs.end(), [](const Placed& a, const Placed& b) { return a.x < b.x; });
    if (!runs.isEmpty()) {
        const double left = runs.first().x;
        for (Placed& run : runs)
            run = {0, run.x - left, run.text, run.rightToLeft};
    }
    return runs;
}

QString Describe(const QList<Placed>& runs)
{
    QStringList parts;
    for (const Placed& run : runs)
        parts << QStringLiteral("[%1 %2 %3@%4]")
                     .arg(run.line)
                     .arg(run.x, 0, 'f', 1)
                     .arg(run.rightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr"), run.text);
    return parts.join(QLatin1Char(' '));
}

// Empty when the runs stand alike, else what was drawn and what was wanted.
QString Mismatch(const QList<Placed>& drawn, const QList<Placed>& wanted)
{
    bool same = drawn.size() == wanted.size();
    for (qsizetype i = 0; same && i < drawn.size(); ++i)
        same = std::abs(drawn[i].line - wanted[i].line) <= 1 && std::abs(drawn[i].x - wanted[i].x) <= 0.5 &&
               drawn[i].text == wanted[i].text && drawn[i].rightToLeft == wanted[i].rightToLeft;
    return same ? QString()
                : QStringLiteral("\n   drawn: %1\n  wanted: %2").arg(Describe(drawn), Describe(wanted));
}

#define COMPARE_ARRANGEMENT(drawn, wanted)                                                                   \
    {                                                                                                        \
        const QString mismatch = Mismatch((drawn), (wanted));                                                \
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));                                                  \
    }

// The string laid out as one right-to-left line in the font, as the memo lays it out.
QList<Placed> RightToLeftLine(const QString& text, const QFont& font)
{
    QPicture picture;
    QPainter painter(&picture);
    QTextLayout layout(text, font, &picture);
    QTextOption option(Qt::AlignRight | Qt::AlignAbsolute);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine().setLineWidth(2000);
    layout.endLayout();
    layout.draw(&painter, QPointF(0, 0));
    painter.end();
    return AsLine(Arrangement(picture));
}

// What a widget draws on the screen, recorded. A widget's own painter starts in the application's
// direction; painting into another painter, the widget takes that painter's settings instead.
QPicture Recorded(QWidget& widget)
{
    QPicture picture;
    QPainter painter(&picture);
    painter.setLayoutDirection(QGuiApplication::layoutDirection());
    widget.render(&painter);
    painter.end();
    return picture;
}

// Qt's playing of a picture, recorded again: what the player draws of each run.
QPicture Replayed(const QPicture& page)
{
    QPicture picture;
    QPainter painter(&picture);
    painter.drawPicture(0, 0, page);
    painter.end();
    return picture;
}

// A report laid out straight onto images of the paper at the screen's resolution, as it would be
// onto a printer.
class ImageSurface : public ReportSurface
{
public:
    void BeginDocument(const QSizeF& paper) override
    {
        const QPicture screen;
        m_size = QSize(int(std::lround(paper.width() * screen.logicalDpiX() / 254.0)),
                       int(std::lround(paper.height() * screen.logicalDpiY() / 254.0)));
    }
    QPainter& BeginPage() override
    {
        pages.append(QImage(m_size, QImage::Format_RGB32));
        pages.last().setDotsPerMeterX(int(std::lround(QPicture().logicalDpiX() / 0.0254)));
        pages.last().setDotsPerMeterY(int(std::lround(QPicture().logicalDpiY() / 0.0254)));
        pages.last().fill(Qt::white);
        m_painter.begin(&pages.last());
        return m_painter;
    }
    void EndPage() override { m_painter.end(); }
    void EndDocument() override {}
    void AbortDocument() override
    {
        if (m_painter.isActive())
            m_painter.end();
    }

    QList<QImage> pages;

private:
    QSize m_size;
    QPainter m_painter;
};

// Pixels whose grey differs by more than a quarter of the scale, as a share of the page.
double Difference(const QImage& a, const QImage& b)
{
    const QImage left = a.convertToFormat(QImage::Format_Grayscale8);
    const QImage right = b.convertToFormat(QImage::Format_Grayscale8).scaled(left.size());
    qint64 differing = 0;
    for (int y = 0; y < left.height(); ++y) {
        const uchar* l = left.constScanLine(y);
        const uchar* r = right.constScanLine(y);
        for (int x = 0; x < left.width(); ++x)
            differing += std::abs(int(l[x]) - int(r[x])) > 64;
    }
    return double(differing) / (qint64(left.width()) * left.height());
}

// A page reduced to blocks of its average grey: what is left of it when a renderer's own way of
// drawing the edges of letters no longer counts.
QImage Blocks(const QImage& page, int block)
{
    return page.convertToFormat(QImage::Format_Grayscale8)
        .scaled(page.width() / block, page.height() / block, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A layout's pages as the preview holds them, and as they come back from a report file saved there.
struct PreviewAndFile
{
    explicit PreviewAndFile(const LaidOutPages& laidOut)
    {
        store.PageSize = laidOut.size;
        for (const QPicture& page : laidOut.pages)
            store.AddPage(page);
        store.PagesBegun = store.PageCount();
        store.State = TQRPageStore::Status::Finished;
        const QString fileName = folder.filePath(QStringLiteral("report.qrp"));
        TQRReportFile::Save(store, fileName);
        TQRReportFile::Load(fileName, loaded);
    }

    QTemporaryDir folder;
    TQRPageStore store;
    TQRPageStore loaded;
};

FakeDataSet::Record EntryOfEveryString()
{
    QStringList lines;
    for (const auto& [name, text] : Strings)
        lines << text;
    const QString all = lines.join(QLatin1Char('\n'));
    return FakeDataSet::Entry(all, all, all);
}

} // namespace

class TestRightToLeft : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowSurfacesReadLikeTheMemo_data();
    void windowSurfacesReadLikeTheMemo();
    void searchBoxReadsRightToLeft_data();
    void searchBoxReadsRightToLeft();
    void previewAndReportFilesPlayRunsAsLaidOut();
    void previewFileAndPrinterShowTheSamePage();
};

void TestRightToLeft::initTestCase()
{
    Application->Initialize();
    Application->CreateForm(Form1);
    Form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
}

void TestRightToLeft::windowSurfacesReadLikeTheMemo_data()
{
    QTest::addColumn<QString>("text");
    for (const auto& [name, text] : Strings)
        QTest::newRow(name) << text;
}

void TestRightToLeft::windowSurfacesReadLikeTheMemo()
{
    QFETCH(QString, text);
    TestDatabase file(TestDatabase::Schema(255));
    file.Execute(QStringLiteral("INSERT INTO Table1 VALUES (1, '%1', '%1', '', '');")
                     .arg(QString(text).replace(QLatin1Char('\''), QStringLiteral("''"))));
    TADOConnection connection;
    connection.setConnectionString(QStringLiteral("Data Source=dorvanel.mdb"));
    TADOTable table;
    table.setObjectName(QStringLiteral("ADOaall"));
    table.setConnection(&connection);
    table.setTableName(QStringLiteral("Query1"));
    TDataSource source;
    source.setDataSet(&table);
    QWidget window;
    window.setLayoutDirection(Qt::RightToLeft);
    window.resize(900, 400);
    auto* grid = new TDBGrid(&window);
    grid->setGeometry(10, 10, 600, 100);
    grid->setProperty("columnTitle", text);
    auto* title = new TDBText(&window);
    title->setGeometry(10, 120, 600, 17);
    auto* memo = new TDBMemo(&window);
    memo->setGeometry(10, 150, 600, 84);
    grid->DataLink().setDataSource(&source);
    title->DataLink().setDataSource(&source);
    memo->DataLink().setDataSource(&source);
    for (auto [control, field] :
         {std::pair<QWidget*, const char*>{grid, "kholase"}, {title, "kholase"}, {memo, "porsesh"}})
        control->setProperty("dataField", QString::fromLatin1(field));
    table.Open();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QList<Placed> wanted = RightToLeftLine(text, title->font());
    // The memo is the reader's measure: it already lays its text out right to left.
    COMPARE_ARRANGEMENT(AsLine(Arrangement(Recorded(*memo))), wanted);
    COMPARE_ARRANGEMENT(AsLine(Arrangement(Recorded(*title))), wanted);
    // The list draws its title caption, then the data cell of the one entry.
    const QList<Placed> list = Arrangement(Recorded(*grid));
    const auto lineAt = [&](int y) {
        QList<Placed> line;
        std::copy_if(list.begin(), list.end(), std::back_inserter(line),
                     [y](const Placed& run) { return run.line == y; });
        return AsLine(line);
    };
    QVERIFY(!list.isEmpty());
    COMPARE_ARRANGEMENT(lineAt(list.first().line), wanted);
    COMPARE_ARRANGEMENT(lineAt(list.last().line), wanted);
    QVERIFY(list.first().line < list.last().line);
}

void TestRightToLeft::searchBoxReadsRightToLeft_data()
{
    QTest::addColumn<QString>("text");
    for (const auto& [name, text] : Strings)
        QTest::newRow(name) << text;
    QTest::newRow("digits alone") << QStringLiteral("1402");
    QTest::newRow("a quote alone") << QStringLiteral("'");
}

void TestRightToLeft::searchBoxReadsRightToLeft()
{
    QFETCH(QString, text);
    auto* box = Form1->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    QVERIFY(box != nullptr);
    box->clear();
    box->repaint();
    // Empty, the caret waits at the right edge, where a Persian line begins.
    const QRect caret = box->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QVERIFY2(caret.right() >= box->contentsRect().right() - 4,
             qPrintable(QStringLiteral("caret at %1 of %2").arg(caret.right()).arg(box->width())));
    box->setText(text);
    box->setCursorPosition(0);
    QList<Placed> seen = Arrangement(Recorded(*box));
    QVERIFY(!seen.isEmpty());
    COMPARE_ARRANGEMENT(AsLine(seen), RightToLeftLine(text, box->font()));
    // The line stands at the right of the box whatever its first letter: it ends at the right edge.
    std::sort(seen.begin(), seen.end(), [](const Placed& a, const Placed& b) { return a.x < b.x; });
    const QFontMetricsF metrics(box->font());
    const double right = seen.last().x + metrics.horizontalAdvance(seen.last().text);
    if (metrics.horizontalAdvance(text) < box->contentsRect().width() - 8)
        QVERIFY2(right > box->contentsRect().right() - 8,
                 qPrintable(QStringLiteral("line ends at %1 of %2").arg(right).arg(box->width())));
}

void TestRightToLeft::previewAndReportFilesPlayRunsAsLaidOut()
{
    FakeDataSet data({EntryOfEveryString()});
    TForm3 form(&data);
    const LaidOutPages laidOut = LayOutToPictures(*form.QuickRep1);
    QCOMPARE(laidOut.pages.size(), 1);
    // What the layout drew is what a printer gets.
    const QList<Placed> printed = Arrangement(laidOut.pages.first());
    for (const char* heading : {"پرسش:", "پاسخ:", "منابع :"}) {
        const QString text = QString::fromUtf8(heading);
        QVERIFY2(std::any_of(printed.begin(), printed.end(),
                             [&](const Placed& run) { return run.text == text && run.rightToLeft; }),
                 heading);
    }

    const PreviewAndFile preview(laidOut);
    COMPARE_ARRANGEMENT(Arrangement(Replayed(preview.store.Page(1))), printed);
    COMPARE_ARRANGEMENT(Arrangement(Replayed(preview.loaded.Page(1))), printed);
}

void TestRightToLeft::previewFileAndPrinterShowTheSamePage()
{
    FakeDataSet data({EntryOfEveryString()});
    TForm3 form(&data);
    ImageSurface direct;
    QCOMPARE(form.QuickRep1->LayOut(direct), TQuickRep::Outcome::Finished);
    data.First();
    const LaidOutPages laidOut = LayOutToPictures(*form.QuickRep1);
    QCOMPARE(direct.pages.size(), 1);
    QCOMPARE(laidOut.pages.size(), 1);

    const PreviewAndFile preview(laidOut);
    const QImage screen = RenderPage(preview.store.Page(1), preview.store.PageSize);
    const QImage fromFile = RenderPage(preview.loaded.Page(1), preview.loaded.PageSize);
    QCOMPARE(screen.size(), direct.pages.first().size());
    // Qt's player puts each run's baseline on a whole pixel, which moves the smallest letters by one.
    QVERIFY2(Difference(screen, direct.pages.first()) < 0.0015,
             qPrintable(QString::number(Difference(screen, direct.pages.first()))));
    QCOMPARE(fromFile, screen);

    // The same page printed through Qt's printer to a PDF, rendered back at the screen's resolution.
    const QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("printed.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setFullPage(true);
        PrinterSurface surface(printer, 0, 0);
        data.First();
        QCOMPARE(form.QuickRep1->LayOut(surface), TQuickRep::Outcome::Finished);
    }
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(QPicture().logicalDpiX()), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), pdf, folder.filePath(QStringLiteral("printed"))});
    if (!render.waitForStarted(10000))
        QSKIP("pdftoppm is not installed (poppler-utils)");
    QVERIFY(render.waitForFinished(60000));
    QCOMPARE(render.exitCode(), 0);
    const QImage printed(folder.filePath(QStringLiteral("printed.png")));
    QVERIFY(!printed.isNull());
    // Another renderer draws the edges of letters its own way; in blocks of 8 pixels no part of the
    // page may differ by more than a quarter of the grey scale.
    QVERIFY2(Difference(Blocks(printed, 8), Blocks(screen, 8)) < 0.0001,
             qPrintable(QString::number(Difference(Blocks(printed, 8), Blocks(screen, 8)))));
}

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    TestRightToLeft test;
    return QTest::qExec(&test, argc, argv);
}
#include "TestRightToLeft.moc"
