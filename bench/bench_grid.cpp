// Painting and moving the browse list over large generated collections: each paint or move is to take
// at most one frame (16 ms) of work, whatever the size of the collection.
#include "BenchSupport.h"
#include "PersianFonts.h"

#include "TDBGrid.h"
#include "TDataSource.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int Runs = 31;
// Titles and texts of a few dozen bytes.
constexpr int ShortEntryBytes = 64;

void Key(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

void Measure(int entries)
{
    const QString path = CachedCollection(entries, ShortEntryBytes);
    BrowseDataSet browse(path);
    TADOTable& table = browse.table;
    TDataSource source;
    source.setDataSet(&table);

    QWidget window;
    window.setLayoutDirection(Qt::RightToLeft);
    window.resize(900, 680);
    TDBGrid grid(&window);
    grid.setGeometry(648, 164, 168, 289);
    grid.setFont(QFont(QStringLiteral("Tahoma"), 9));
    grid.setProperty("columnTitle", QStringLiteral("خلاصه پرسش"));
    grid.setProperty("dataField", QStringLiteral("kholase"));
    grid.DataLink().setDataSource(&source);
    // The row painting of the main window: colours by record number.
    grid.setOnDrawColumnCell(
        [&](QPainter& canvas, const QRect& rect, int dataCol, TColumn& column, TGridDrawState state) {
            canvas.setPen(QColor(238, 146, 53));
            canvas.setBrush(table.RecNo() % 2 == 0 ? QColor(253, 254, 226) : QColor(227, 251, 253));
            if (state.testFlag(TGridDrawStateFlag::gdSelected))
                canvas.setBrush(QColor(166, 249, 185));
            grid.DefaultDrawColumnCell(canvas, rect, dataCol, column, state);
        });
    const double open = MedianMs(1, [&] { table.Open(); });
    window.show();
    grid.setFocus();
    QApplication::processEvents();

    const QString label = QStringLiteral(", %1 entries").arg(entries);
    const QString frame = QStringLiteral("at most 16 ms");
    Report(QStringLiteral("open browse dataset") + label, open, QStringLiteral("ms"),
           QStringLiteral("reference"));
    Report(QStringLiteral("paint full list") + label, MedianMs(Runs, [&] { grid.viewport()->repaint(); }),
           QStringLiteral("ms"), frame);
    table.First();
    Report(QStringLiteral("Page Down and paint") + label,
           MedianMs(Runs,
                    [&] {
                        Key(&grid, Qt::Key_PageDown);
                        grid.viewport()->repaint();
                    }),
           QStringLiteral("ms"), frame);
    Report(QStringLiteral("End and paint") + label,
           MedianMs(Runs,
                    [&] {
                        table.First();
                        Key(&grid, Qt::Key_End);
                        grid.viewport()->repaint();
                    }) -
               MedianMs(Runs, [&] { table.First(); }),
           QStringLiteral("ms"), frame);
    QScrollBar* bar = grid.verticalScrollBar();
    Report(QStringLiteral("thumb drag to the middle and paint") + label,
           MedianMs(Runs,
                    [&] {
                        table.First();
                        bar->setSliderDown(true);
                        bar->setSliderPosition(entries / 2);
                        bar->setSliderDown(false);
                        grid.viewport()->repaint();
                    }) -
               MedianMs(Runs, [&] { table.First(); }),
           QStringLiteral("ms"), frame);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallPersianFontSubstitutes();
    for (int entries : {10000, 1000000})
        Measure(entries);
    return 0;
}
