#pragma once

#include "TColumn.h"
#include "TGridDataLink.h"
#include "TGridDrawState.h"

#include <QAbstractScrollArea>

#include <functional>

class QLineEdit;
class TDataSet;

// A list bound to a dataset, one row per record and one column for a field, laid out right to left:
// the indicator column on the right, the data column to its left, the vertical scroll bar on the left.
// It reads only the rows it shows, so painting and moving cost the same whatever the dataset's size.
// Its binding is named by the dynamic properties dataSource, dataField and columnTitle.
class TDBGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // Called for each data cell the grid paints, after the grid's own drawing of it. While it runs,
    // the dataset's active record is the painted row. The painter's font, pen colour (the font colour)
    // and brush are what DefaultDrawColumnCell uses.
    using TDrawColumnCellEvent = std::function<void(QPainter& canvas, const QRect& rect, int dataCol,
                                                    TColumn& column, TGridDrawState state)>;

    explicit TDBGrid(QWidget* parent = nullptr);
    ~TDBGrid() override;

    TGridDataLink& DataLink() { return m_link; }
    TDataSource* DataSource() const { return m_link.DataSource(); }
    TColumn& Column() { return m_column; }

    void setOnDrawColumnCell(TDrawColumnCellEvent handler) { m_onDrawColumnCell = std::move(handler); }
    // Fills the cell with the painter's brush and writes the field's display text on one line, in
    // the painter's font and pen colour, 2 pixels below the top and in from the leading edge.
    void DefaultDrawColumnCell(QPainter& canvas, const QRect& rect, int dataCol, TColumn& column,
                               TGridDrawState state);

    // The rows shown: the first one and how many fit.
    int TopRow() const { return m_top; }
    int VisibleRowCount() const;
    int RowHeight() const;
    int TitleHeight() const;
    // The viewport rectangle of a shown row's data cell.
    QRect CellRect(int visibleRow) const;
    // The cell editor; open or not.
    QLineEdit* Editor() const { return m_editor; }
    bool EditorOpen() const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    TDataSet* DataSet() const;
    bool Active() const;
    bool CanModify() const;
    // Rows shown for the dataset: its rows, or one empty row when it holds none.
    int DisplayRows() const;
    int DataRight() const;
    QRect IndicatorRect(int visibleRow) const;

    void LinkActiveChanged();
    void LinkDataSetChanged();
    void LinkRecordChanged(TField* field);
    void LayoutChanged();
    // Puts the open cell editor over the current cell.
    void PlaceEditor();
    void ScrollToCurrent();
    void CenterCurrent();
    void UpdateScrollBars();

    void HandleKey(QKeyEvent* event);
    void KeyUp();
    void KeyDown();
    void KeyEscape();
    void DeleteWithConfirmation();
    void ShowEditor();
    void HideEditor();
    void LoadEditor();
    void WriteEditor();
    void EditorEdited();
    void LeftTheList();
    void ScrollAction(int action);
    void ThumbReleased();
    void ClickRow(int row);

    void PaintTitle(QPainter& painter);
    void PaintIndicator(QPainter& painter, const QRect& rect, int row);
    void PaintDataCell(QPainter& painter, const QRect& rect, int row);

    TGridDataLink m_link;
    TColumn m_column;
    TDrawColumnCellEvent m_onDrawColumnCell;
    int m_top = 0;
    QLineEdit* m_editor = nullptr;
    bool m_editorModified = false;
    bool m_writingEditor = false;
    bool m_resizing = false;
    QMetaObject::Connection m_focusWatch;
};
