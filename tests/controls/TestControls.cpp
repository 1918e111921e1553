#include "TestDatabase.h"

#include "TADOConnection.h"
#include "TADOTable.h"
#include "TDBGrid.h"
#include "TDBMemo.h"
#include "TDBText.h"
#include "TDataSource.h"

#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>
#include <QtTest>

#include <memory>

namespace {

// A dataset over Query1 with a data source, and controls bound to it through their properties.
struct Bench
{
    explicit Bench(const QString& sql) : file(sql)
    {
        connection.setConnectionString(QStringLiteral("Data Source=dorvanel.mdb"));
        table.setObjectName(QStringLiteral("ADOaall"));
        table.setConnection(&connection);
        table.setTableName(QStringLiteral("Query1"));
        source.setDataSet(&table);
        window.setLayoutDirection(Qt::RightToLeft);
        window.resize(400, 300);
    }
    template <class T>
    T* Bind(const char* name, const char* field, const QRect& rect)
    {
        auto* control = new T(&window);
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(rect);
        control->DataLink().setDataSource(&source);
        control->setProperty("dataField", QString::fromLatin1(field));
        return control;
    }
    void Show()
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    TestDatabase file;
    TADOConnection connection;
    TADOTable table;
    TDataSource source;
    QWidget window;
};

// What the paint hook saw of each cell.
struct Painted
{
    int recNo;
    QString text;
    bool selected;
};

} // namespace

class TestControls : public QObject
{
    Q_OBJECT

private slots:
    void gridHookReadsThePaintedRow();
    void gridHookColoursAreUsedByTheDefaultDrawing();
    void gridHookWhileInsertingReadsMinusOne();
    void gridOnEmptyAndClosedDataSets();
    void gridColumnWidthFollowsTheDeclaredLength();
    void gridScrollBarRangesOverRecordNumbers();
    void textLineShowsTheDisplayText();
    void memoLayoutAndReadOnly();
    void memoKeepsWhatWasNotTyped_data();
    void memoKeepsWhatWasNotTyped();
    void controlsIgnoreKeysWhereTheFieldCannotChange();
};

void TestControls::gridHookReadsThePaintedRow()
{
    Bench bench(TestDatabase::Collection(30, 20));
    auto* grid = bench.Bind<TDBGrid>("DBGrid2", "kholase", QRect(200, 10, 168, 289));
    std::vector<Painted> painted;
    grid->setOnDrawColumnCell(
        [&](QPainter& canvas, const QRect& rect, int dataCol, TColumn& column, TGridDrawState state) {
            painted.push_back({bench.table.RecNo(), column.Field()->DisplayText(),
                               state.testFlag(TGridDrawStateFlag::gdSelected)});
            grid->DefaultDrawColumnCell(canvas, rect, dataCol, column, state);
        });
    bench.table.Open();
    bench.Show();
    bench.table.setRecNo(20);
    painted.clear();
    grid->repaint();
    const int visible = grid->VisibleRowCount();
    QCOMPARE(int(painted.size()), visible);
    // Going to a record number shows it in the middle row.
    QCOMPARE(grid->TopRow(), 19 - visible / 2);
    for (int i = 0; i < visible; ++i) {
        const int recNo = grid->TopRow() + i + 1;
        QCOMPARE(painted[std::size_t(i)].recNo, recNo);
        QCOMPARE(painted[std::size_t(i)].text, QStringLiteral("t%1").arg(recNo));
        QCOMPARE(painted[std::size_t(i)].selected, recNo == 20);
    }
    // The current record is back after painting.
    QCOMPARE(bench.table.RecNo(), 20);
}

void TestControls::gridHookColoursAreUsedByTheDefaultDrawing()
{
    Bench bench(TestDatabase::Collection(5, 20));
    auto* grid = bench.Bind<TDBGrid>("DBGrid2", "kholase", QRect(200, 10, 168, 200));
    const QColor even(253, 254, 226), odd(227, 251, 253), current(166, 249, 185);
    grid->setOnDrawColumnCell(
        [&](QPainter& canvas, const QRect& rect, int dataCol, TColumn& column, TGridDrawState state) {
            canvas.setPen(QColor(238, 146, 53));
            canvas.setBrush(bench.table.RecNo() % 2 == 0 ? even : odd);
            if (state.testFlag(TGridDrawStateFlag::gdSelected))
                canvas.setBrush(current);
            grid->DefaultDrawColumnCell(canvas, rect, dataCol, column, state);
        });
    bench.table.Open();
    bench.Show();
    const QImage image = grid->viewport()->grab().toImage();
    // A point near the left end of each cell, away from the text.
    const auto colourOf = [&](int row) {
        const QRect cell = grid->CellRect(row);
        return image.pixelColor(std::max(cell.left(), 0) + 3, cell.center().y());
    };
    QCOMPARE(colourOf(0), current);
    QCOMPARE(colourOf(1), even);
    QCOMPARE(colourOf(2), odd);
    QCOMPARE(colourOf(3), even);
    // Below the last row the window colour shows.
    QCOMPARE(image.pixelColor(std::max(grid->CellRect(0).left(), 0) + 3, grid->CellRect(6).center().y()),
             grid->palette().color(QPalette::Base));
}

void TestControls::gridHookWhileInsertingReadsMinusOne()
{
    Bench bench(TestDatabase::Collection(4, 20));
    auto* grid = bench.Bind<TDBGrid>("DBGrid2", "kholase", QRect(200, 10, 168, 289));
    std::vector<Painted> painted;
    grid->setOnDrawColumnCell([&](QPainter&, const QRect&, int, TColumn& column, TGridDrawState state) {
        painted.push_back({bench.table.RecNo(), column.Field()->DisplayText(),
                           state.testFlag(TGridDrawStateFlag::gdSelected)});
    });
    bench.table.Open();
    bench.Show();
    bench.table.Next();
    bench.table.Insert();
    painted.clear();
    grid->repaint();
    QCOMPARE(int(painted.size()), 5);
    for (const Painted& cell : painted)
        QCOMPARE(cell.recNo, -1);
    QCOMPARE(painted[1].text, QString());
    QVERIFY(painted[1].selected);
    QCOMPARE(painted[2].text, QStringLiteral("t2"));
}

void TestControls::gridOnEmptyAndClosedDataSets()
{
    Bench bench(TestDatabase::Collection(0, 20));
    auto* grid = bench.Bind<TDBGrid>("DBGrid2", "kholase", QRect(200, 10, 168, 289));
    std::vector<Painted> painted;
    grid->setOnDrawColumnCell([&](QPainter&, const QRect&, int, TColumn&, TGridDrawState state) {
        painted.push_back({bench.table.RecNo(), QString(), state.testFlag(TGridDrawStateFlag::gdSelected)});
    });
    bench.Show();
    grid->repaint();
    QVERIFY(painted.empty());
    QVERIFY(!grid->verticalScrollBar()->isVisible());

    bench.table.Open();
    grid->repaint();
    QCOMPARE(int(painted.size()), 1);
    QCOMPARE(painted[0].recNo, -1);
    QVERIFY(painted[0].selected);
}

void TestControls::gridColumnWidthFollowsTheDeclaredLength()
{
    Bench bench(TestDatabase::Collection(3, 20));
    auto* grid = bench.Bind<TDBGrid>("DBGrid2", "kholase", QRect(200, 10, 168, 289));
    grid->setProperty("columnTitle", QStringLiteral("خلاصه پرسش"));
    bench.table.Open();
    const QFontMetrics metrics(grid->font());
    QCOMPARE(grid->Column().Width(), std::max(metrics.horizontalAdvance(QLatin1Char('0')) * 20 + 4,
                                              metrics.horizontalAdvance(QStringLiteral("خلاصه پرسش")) + 4));
    QCOMPARE(grid->RowHeight(), metrics.height() + 4);
    // The indicator column lies on the right, the data column to its left.
    QCOMPARE(grid->CellRect(0).right(), grid->viewport()->width() - 13);

    // Dragging the column's edge in the title row changes its width.
    bench.Show();
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    const int width = grid->Column().Width();
    const QPoint edge(grid->CellRect(0).left() - 1, grid->TitleHeight() / 2);
    const QPoint to = edge + QPoint(30, 0);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, edge);
    QMouseEvent move(QEvent::MouseMove, to, grid->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, to);
    QCOMPARE(grid->Column().Width(), width - 29);
}

void TestControls::gridScrollBarRangesOverRecordNumbers()
{
    Bench bench(TestDatabase::Collection(100, 20));
    auto* grid = bench.Bind<TDBGrid>("DBGrid2", "kholase", QRect(200, 10, 168, 289));
    bench.table.Open();
    bench.Show();
    QScrollBar* bar = grid->verticalScrollBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->pageStep(), grid->VisibleRowCount());
    QCOMPARE(bar->value(), 1);

    // Dragging moves nothing until the thumb is released; the record then shows in the middle row.
    bar->setSliderDown(true);
    bar->setSliderPosition(50);
    QCOMPARE(bench.table.RecNo(), 1);
    bar->setSliderDown(false);
    QCOMPARE(bench.table.RecNo(), 50);
    QCOMPARE(bar->value(), 50);
    QCOMPARE(grid->TopRow(), 49 - grid->VisibleRowCount() / 2);

    const int top = grid->TopRow();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(bench.table.RecNo(), top + grid->VisibleRowCount() + 1);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(bench.table.RecNo(), top + 1);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(bench.table.RecNo(), 100);
    QCOMPARE(bar->value(), 100);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(bench.table.RecNo(), 1);
}

void TestControls::textLineShowsTheDisplayText()
{
    Bench bench(TestDatabase::Schema(20) +
                QStringLiteral("INSERT INTO Table1 VALUES (1, 'R&D &more', 'q', 'a', '');"));
    auto* title = bench.Bind<TDBText>("DBText1", "kholase", QRect(10, 10, 200, 17));
    auto* memoTitle = bench.Bind<TDBText>("DBText2", "porsesh", QRect(10, 40, 200, 17));
    QCOMPARE(title->Text(), QString());
    bench.table.Open();
    QCOMPARE(title->Text(), QStringLiteral("R&D &more"));
    QCOMPARE(memoTitle->Text(), QStringLiteral("(MEMO)"));
    bench.Show();
    // The text starts at the right edge.
    const QImage image = title->grab().toImage();
    int leftmost = image.width(), rightmost = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y).alpha() > 0 && image.pixelColor(x, y).lightness() < 128) {
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
        }
    }
    QVERIFY(rightmost > image.width() - 6);
    QVERIFY(leftmost > image.width() / 2);
    bench.table.Close();
    QCOMPARE(title->Text(), QString());
}

void TestControls::memoLayoutAndReadOnly()
{
    QString sql = TestDatabase::Collection(2, 20);
    sql += QStringLiteral("UPDATE Table1 SET pasokh = '%1' WHERE id = 1;")
               .arg(QStringLiteral("سطر\n").repeated(200));
    Bench bench(sql);
    auto* memo = bench.Bind<TDBMemo>("DBMemo2", "pasokh", QRect(10, 10, 200, 80));
    bench.table.Open();
    bench.Show();
    const QTextOption option = memo->document()->defaultTextOption();
    QCOMPARE(option.alignment(), Qt::AlignRight | Qt::AlignAbsolute);
    QCOMPARE(option.textDirection(), Qt::RightToLeft);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(memo->verticalScrollBar()->geometry().right() < memo->width() / 2);
    QVERIFY(memo->isReadOnly());
    memo->verticalScrollBar()->setValue(memo->verticalScrollBar()->maximum());
    bench.table.Next();
    QCOMPARE(memo->toPlainText(), QStringLiteral("a2"));
    bench.table.Prior();
    QCOMPARE(memo->verticalScrollBar()->value(), 0);
    bench.table.Edit();
    QVERIFY(!memo->isReadOnly());
    bench.table.Cancel();
    QVERIFY(memo->isReadOnly());
}

void TestControls::memoKeepsWhatWasNotTyped_data()
{
    // Keys typed at the end of the text: a line feed stands for Ctrl+Return, a backspace for Backspace.
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::newRow("carriage return and line feed")
        << QStringLiteral("یک\r\nدو\r\n") << QStringLiteral("!") << QStringLiteral("یک\r\nدو\r\n!");
    QTest::newRow("lone carriage return, lone line feed")
        << QStringLiteral("a\rb\nc\r") << QStringLiteral("!") << QStringLiteral("a\rb\nc\r!");
    QTest::newRow("no-break space, line and paragraph separators")
        << QStringLiteral("a\u00A0b\u2028c\u2029d") << QStringLiteral("!")
        << QStringLiteral("a\u00A0b\u2028c\u2029d!");
    QTest::newRow("typed line in a text of CR LF lines")
        << QStringLiteral("a\r\nb\nc") << QStringLiteral("\nd") << QStringLiteral("a\r\nb\nc\r\nd");
    QTest::newRow("typed line in a text of LF lines")
        << QStringLiteral("a\nb") << QStringLiteral("\nc") << QStringLiteral("a\nb\nc");
    QTest::newRow("line break deleted")
        << QStringLiteral("a\u00A0\r\nb") << QStringLiteral("\b\b") << QStringLiteral("a\u00A0");
}

void TestControls::memoKeepsWhatWasNotTyped()
{
    QFETCH(QString, stored);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    Bench bench(TestDatabase::Collection(2, 20) +
                QStringLiteral("UPDATE Table1 SET pasokh = '%1' WHERE id = 1;").arg(stored));
    auto* memo = bench.Bind<TDBMemo>("DBMemo2", "pasokh", QRect(10, 10, 200, 80));
    bench.table.Open();
    bench.Show();
    QCOMPARE(bench.table.FieldByName(QStringLiteral("pasokh"))->AsString(), stored);
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    for (const QChar key : keys) {
        if (key == QLatin1Char('\n'))
            QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
        else if (key == QLatin1Char('\b'))
            QTest::keyClick(memo, Qt::Key_Backspace);
        else
            QTest::keyClicks(memo, QString(key));
    }
    bench.table.Post();
    QCOMPARE(bench.table.FieldByName(QStringLiteral("pasokh"))->AsString(), expected);
    QCOMPARE(bench.file.Value(QStringLiteral("SELECT pasokh FROM Table1 WHERE id = 1")), expected);
}

void TestControls::controlsIgnoreKeysWhereTheFieldCannotChange()
{
    Bench bench(TestDatabase::Collection(2, 20));
    QFile::setPermissions(bench.file.Path(), QFileDevice::ReadOwner);
    auto* memo = bench.Bind<TDBMemo>("DBMemo2", "pasokh", QRect(10, 10, 200, 80));
    auto* grid = bench.Bind<TDBGrid>("DBGrid2", "kholase", QRect(200, 100, 168, 189));
    bench.table.Open();
    bench.Show();
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("typed"));
    QTest::keyClick(memo, Qt::Key_Backspace);
    QCOMPARE(memo->toPlainText(), QStringLiteral("a1"));
    // A letter typed into the list opens its cell editor, which stays read-only.
    grid->setFocus();
    QTest::keyClicks(grid, QStringLiteral("x"));
    QTest::keyClick(grid, Qt::Key_Backspace);
    QVERIFY(grid->Editor()->isReadOnly());
    QCOMPARE(grid->Editor()->text(), QStringLiteral("t1"));
    QCOMPARE(bench.table.State(), TDataSetState::dsBrowse);
    QFile::setPermissions(bench.file.Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QTEST_MAIN(TestControls)
#include "TestControls.moc"
