// Painting and moving the browse list over large generated collections: each paint or move is to take
// at most one frame (16 ms) of work, whatever the size of the collection.
#include "BenchWindow.h"
#include "PersianFonts.h"

#include "TDBGrid.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int Runs = 31;
// Titles and texts of a few dozen bytes.
constexpr int ShortEntryBytes = 64;

void Measure(int entries)
{
    const QString path = CachedCollection(entries, ShortEntryBytes);
    BenchWindow bench(path);
    TADOTable& table = bench.browse.table;
    TDBGrid grid(&bench.window);
    grid.setGeometry(648, 164, 168, 289);
    grid.setFont(QFont(QStringLiteral("Tahoma"), 9));
    grid.setProperty("columnTitle", QStringLiteral("خلاصه پرسش"));
    grid.setProperty("dataField", QStringLiteral("kholase"));
    grid.DataLink().setDataSource(&bench.source);
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
    bench.window.show();
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
                        SendKey(&grid, Qt::Key_PageDown);
                        grid.viewport()->repaint();
                    }),
           QStringLiteral("ms"), frame);
    Report(QStringLiteral("End and paint") + label,
           MedianMs(Runs,
                    [&] {
                        table.First();
                        SendKey(&grid, Qt::Key_End);
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
