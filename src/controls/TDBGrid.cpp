#include "TDBGrid.h"

#include "Confirmation.h"
#include "DataBinding.h"
#include "Exceptions.h"
#include "RightToLeftText.h"
#include "TDataSet.h"
#include "TDataSource.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int IndicatorWidth = 11;
constexpr int LineWidth = 1;
// Room between a cell's text and its edges.
constexpr int TextMargin = 2;
// How near to the column's edge in the title row a press starts resizing the column.
constexpr int ResizeGrip = 3;
// The width of a column without a field.
constexpr int DefaultColumnWidth = 64;

const QColor Silver(192, 192, 192);

// Keys the cell editor leaves to the list.
bool ListKey(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Delete:
        return (event->modifiers() & Qt::ControlModifier) != 0;
    default:
        return false;
    }
}

} // namespace

TDBGrid::TDBGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setTracking(false);
    viewport()->setAutoFillBackground(false);
    m_column.m_font = font();
    m_column.m_fontColor = palette().color(QPalette::Text);
    m_column.m_color = palette().color(QPalette::Base);

    m_editor = new QLineEdit(viewport());
    m_editor->setFrame(false);
    RightToLeftText::ReadRightToLeft(*m_editor);
    m_editor->hide();
    m_editor->installEventFilter(this);
    connect(m_editor, &QLineEdit::textEdited, this, [this] { Guarded(this, [this] { EditorEdited(); }); });

    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { Guarded(this, [&] { ScrollAction(action); }); });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this,
            [this] { Guarded(this, [this] { ThumbReleased(); }); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        PlaceEditor();
        viewport()->update();
    });
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const bool wasHere = old == this || old == m_editor;
        const bool isHere = now == this || now == m_editor;
        // The focus going to another window (a message box asking about this list, the preview) or to
        // none is not the reader leaving the list.
        const bool elsewhereInWindow = now != nullptr && now->window() == window();
        if (wasHere && !isHere && elsewhereInWindow)
            Guarded(this, [this] { LeftTheList(); });
    });

    m_link.OnActiveChanged = [this] { LinkActiveChanged(); };
    m_link.OnRecordMoved = [this] {
        HideEditor();
        if (DataSet()->GoingToRecNo())
            CenterCurrent();
        else
            ScrollToCurrent();
        LayoutChanged();
    };
    m_link.OnDataSetChanged = [this] { LinkDataSetChanged(); };
    m_link.OnRecordChanged = [this](TField* field) { LinkRecordChanged(field); };
    m_link.OnStateChanged = [this] {
        if (EditorOpen() && !m_editorModified)
            LoadEditor();
        LayoutChanged();
    };
    m_link.OnUpdateData = [this] { WriteEditor(); };
}

TDBGrid::~TDBGrid()
{
    // The focus leaves while the widget is taken down, when this part of it is gone already.
    disconnect(m_focusWatch);
}

TDataSet* TDBGrid::DataSet() const
{
    return m_link.DataSet();
}

bool TDBGrid::Active() const
{
    return m_link.Active();
}

bool TDBGrid::CanModify() const
{
    return Active() && DataSet()->CanModify();
}

int TDBGrid::DisplayRows() const
{
    return Active() ? std::max(1, DataSet()->RowCount()) : 1;
}

int TDBGrid::RowHeight() const
{
    return QFontMetrics(m_column.Font()).height() + 4;
}

int TDBGrid::TitleHeight() const
{
    return QFontMetrics(font()).height() + 4;
}

int TDBGrid::VisibleRowCount() const
{
    return std::max(1, (viewport()->height() - TitleHeight()) / RowHeight());
}

int TDBGrid::DataRight() const
{
    return viewport()->width() - IndicatorWidth - LineWidth + horizontalScrollBar()->value();
}

QRect TDBGrid::CellRect(int visibleRow) const
{
    return QRect(DataRight() - m_column.Width(), TitleHeight() + visibleRow * RowHeight(), m_column.Width(),
                 RowHeight() - LineWidth);
}

QRect TDBGrid::IndicatorRect(int visibleRow) const
{
    return QRect(viewport()->width() - IndicatorWidth, TitleHeight() + visibleRow * RowHeight(),
                 IndicatorWidth, RowHeight() - LineWidth);
}

bool TDBGrid::EditorOpen() const
{
    return !m_editor->isHidden();
}

void TDBGrid::LinkActiveChanged()
{
    m_editor->hide();
    m_editorModified = false;
    m_column.m_field = Active() ? DataSet()->FindField(m_column.FieldName()) : nullptr;
    const QFontMetrics cell(m_column.Font());
    const int digits = m_column.m_field != nullptr
                           ? cell.horizontalAdvance(QLatin1Char('0')) * m_column.m_field->DisplayWidth() + 4
                           : DefaultColumnWidth;
    m_column.m_width = std::max(digits, QFontMetrics(font()).horizontalAdvance(m_column.Title()) + 4);
    m_top = 0;
    ScrollToCurrent();
    LayoutChanged();
}

void TDBGrid::LinkDataSetChanged()
{
    if (EditorOpen() && !m_editorModified)
        LoadEditor();
    ScrollToCurrent();
    LayoutChanged();
}

void TDBGrid::LinkRecordChanged(TField* field)
{
    if (EditorOpen() && !m_writingEditor && (field == nullptr || field == m_column.Field()))
        LoadEditor();
    viewport()->update();
}

void TDBGrid::LayoutChanged()
{
    UpdateScrollBars();
    PlaceEditor();
    viewport()->update();
}

void TDBGrid::PlaceEditor()
{
    if (EditorOpen() && Active()) {
        const int row = std::max(DataSet()->CurrentRow(), 0) - m_top;
        const QRect cell = CellRect(row);
        m_editor->setGeometry(cell.intersected(
            QRect(0, 0, viewport()->width() - IndicatorWidth - LineWidth, viewport()->height())));
    }
}

void TDBGrid::ScrollToCurrent()
{
    const int visible = VisibleRowCount();
    const int current = Active() ? DataSet()->CurrentRow() : -1;
    if (current < 0)
        m_top = 0;
    else if (current < m_top)
        m_top = current;
    else if (current >= m_top + visible)
        m_top = current - visible + 1;
    m_top = std::clamp(m_top, 0, std::max(0, DisplayRows() - visible));
}

void TDBGrid::CenterCurrent()
{
    const int current = Active() ? DataSet()->CurrentRow() : -1;
    m_top = std::clamp(current - VisibleRowCount() / 2, 0, std::max(0, DisplayRows() - VisibleRowCount()));
}

// The scroll area shows or hides a bar when it hears that the bar's range changed, so the bars' signals
// go out; moving them from here moves no record.
void TDBGrid::UpdateScrollBars()
{
    QScrollBar* vertical = verticalScrollBar();
    const int count = Active() ? DataSet()->RecordCount() : 0;
    if (count >= 2) {
        vertical->setRange(1, count);
        vertical->setPageStep(VisibleRowCount());
        vertical->setSingleStep(1);
        const int recNo = DataSet()->RecNo();
        vertical->setValue(recNo > 0 ? recNo : DataSet()->CurrentRow() + 1);
    } else {
        vertical->setRange(0, 0);
    }
    QScrollBar* horizontal = horizontalScrollBar();
    const int content = IndicatorWidth + LineWidth + m_column.Width() + LineWidth;
    horizontal->setRange(0, std::max(0, content - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
}

void TDBGrid::scrollContentsBy(int, int)
{
    // The rows shown follow the dataset, not the scroll bars' values.
    viewport()->update();
}

void TDBGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    ScrollToCurrent();
    LayoutChanged();
}

bool TDBGrid::event(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        m_column.m_font = font();
        m_column.m_fontColor = palette().color(QPalette::Text);
        m_column.m_color = palette().color(QPalette::Base);
    }
    bool taken = false;
    Guarded(this, [&] {
        if (event->type() == QEvent::DynamicPropertyChange &&
            static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == "columnTitle") {
            m_column.m_title = property("columnTitle").toString();
            LinkActiveChanged();
            taken = true;
            return;
        }
        taken = TakeBindingProperty(this, event, m_link, [this](const QString& name) {
            m_column.m_fieldName = name;
            LinkActiveChanged();
        });
    });
    return taken || QAbstractScrollArea::event(event);
}

bool TDBGrid::focusNextPrevChild(bool)
{
    // Tab and Shift+Tab are the list's own keys.
    return false;
}

bool TDBGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (ListKey(key)) {
            Guarded(this, [&] { HandleKey(key); });
            return true;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void TDBGrid::keyPressEvent(QKeyEvent* event)
{
    Guarded(this, [&] { HandleKey(event); });
    event->accept();
}

void TDBGrid::HandleKey(QKeyEvent* event)
{
    if (!Active())
        return;
    TDataSet* dataSet = DataSet();
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    const int visible = VisibleRowCount();
    const int bottom = std::min(m_top + visible, DisplayRows()) - 1;
    switch (event->key()) {
    case Qt::Key_Up:
        ctrl ? void(dataSet->MoveBy(m_top - dataSet->CurrentRow())) : KeyUp();
        break;
    case Qt::Key_Down:
        ctrl ? void(dataSet->MoveBy(bottom - dataSet->CurrentRow())) : KeyDown();
        break;
    case Qt::Key_PageUp:
        dataSet->MoveBy(ctrl ? m_top - dataSet->CurrentRow() : -visible);
        break;
    case Qt::Key_PageDown:
        dataSet->MoveBy(ctrl ? bottom - dataSet->CurrentRow() : visible);
        break;
    case Qt::Key_Home:
        dataSet->First();
        break;
    case Qt::Key_End:
        dataSet->Last();
        break;
    case Qt::Key_Tab:
        (event->modifiers() & Qt::ShiftModifier) != 0 ? KeyUp() : KeyDown();
        break;
    case Qt::Key_Backtab:
        KeyUp();
        break;
    case Qt::Key_F2:
        ShowEditor();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (EditorOpen()) {
            WriteEditor();
            HideEditor();
        } else {
            ShowEditor();
        }
        break;
    case Qt::Key_Escape:
        KeyEscape();
        break;
    case Qt::Key_Insert:
        if (event->modifiers() == Qt::NoModifier && CanModify())
            dataSet->Insert();
        break;
    case Qt::Key_Delete:
        if (ctrl)
            DeleteWithConfirmation();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        break;
    default: {
        const QString text = event->text();
        const bool typing =
            event->key() == Qt::Key_Backspace ||
            (!ctrl && (event->modifiers() & Qt::AltModifier) == 0 && !text.isEmpty() && text.at(0).isPrint());
        if (typing) {
            ShowEditor();
            // A read-only editor leaves the key to its parent, the list, which would hand it back.
            if (EditorOpen() && !m_editor->isReadOnly())
                QCoreApplication::sendEvent(m_editor, event);
        }
        break;
    }
    }
}

void TDBGrid::KeyUp()
{
    TDataSet* dataSet = DataSet();
    if (dataSet->State() == TDataSetState::dsInsert && !dataSet->Modified() && !m_editorModified)
        dataSet->Cancel();
    else
        dataSet->Prior();
}

void TDBGrid::KeyDown()
{
    TDataSet* dataSet = DataSet();
    if (dataSet->State() == TDataSetState::dsInsert && !dataSet->Modified() && !m_editorModified)
        return;
    dataSet->Next();
    if (dataSet->Eof() && CanModify())
        dataSet->Append();
}

void TDBGrid::KeyEscape()
{
    if (EditorOpen() && m_editorModified)
        LoadEditor();
    else
        DataSet()->Cancel();
    HideEditor();
}

void TDBGrid::DeleteWithConfirmation()
{
    if (!CanModify() || DataSet()->IsEmpty())
        return;
    if (Confirmed(this, QStringLiteral("Delete record?"), QMessageBox::Ok) && Active())
        DataSet()->Delete();
}

void TDBGrid::ShowEditor()
{
    if (!Active() || m_column.Field() == nullptr)
        return;
    if (!EditorOpen()) {
        TField* field = m_column.Field();
        m_editor->setFont(m_column.Font());
        QPalette colours = m_editor->palette();
        colours.setColor(QPalette::Text, Qt::black);
        colours.setColor(QPalette::Base, m_column.Color());
        m_editor->setPalette(colours);
        m_editor->setMaxLength(field->DataType() == TFieldType::ftString ? field->Size() : 32767);
        m_editor->setReadOnly(!field->CanModify());
        LoadEditor();
        m_editor->show();
        LayoutChanged();
    }
    m_editor->setFocus();
}

void TDBGrid::HideEditor()
{
    if (!EditorOpen())
        return;
    const bool hadFocus = m_editor->hasFocus();
    m_editor->hide();
    m_editorModified = false;
    if (hadFocus)
        setFocus();
    viewport()->update();
}

void TDBGrid::LoadEditor()
{
    const TField* field = m_column.Field();
    const bool hasRecord = field != nullptr && Active() && !DataSet()->IsEmpty();
    m_editor->setText(hasRecord ? field->AsString() : QString());
    m_editorModified = false;
}

void TDBGrid::WriteEditor()
{
    if (!EditorOpen() || !m_editorModified || m_column.Field() == nullptr)
        return;
    m_writingEditor = true;
    try {
        m_column.Field()->setAsString(m_editor->text());
    } catch (...) {
        m_writingEditor = false;
        throw;
    }
    m_writingEditor = false;
    m_editorModified = false;
}

void TDBGrid::EditorEdited()
{
    m_editorModified = true;
    if (!m_link.Edit())
        LoadEditor();
}

void TDBGrid::LeftTheList()
{
    if (!Active())
        return;
    TDataSet* dataSet = DataSet();
    if (dataSet->State() == TDataSetState::dsInsert && !dataSet->Modified() && !m_editorModified)
        dataSet->Cancel();
    else
        WriteEditor();
}

void TDBGrid::ScrollAction(int action)
{
    if (!Active())
        return;
    TDataSet* dataSet = DataSet();
    const int visible = VisibleRowCount();
    const int current = dataSet->CurrentRow();
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        dataSet->MoveBy(m_top - 1 - current);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        dataSet->MoveBy(m_top + visible - current);
        break;
    case QAbstractSlider::SliderPageStepSub:
        dataSet->MoveBy(-visible);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        dataSet->MoveBy(visible);
        break;
    case QAbstractSlider::SliderToMinimum:
        dataSet->First();
        break;
    case QAbstractSlider::SliderToMaximum:
        dataSet->Last();
        break;
    default:
        return;
    }
    verticalScrollBar()->setSliderPosition(std::max(dataSet->CurrentRow() + 1, 1));
}

void TDBGrid::ThumbReleased()
{
    if (!Active())
        return;
    TDataSet* dataSet = DataSet();
    const int target = verticalScrollBar()->sliderPosition();
    dataSet->setRecNo(std::clamp(target, 1, std::max(dataSet->RecordCount(), 1)));
    LayoutChanged();
}

void TDBGrid::ClickRow(int row)
{
    TDataSet* dataSet = DataSet();
    if (dataSet->State() == TDataSetState::dsInsert && row != dataSet->CurrentRow()) {
        const int inserted = dataSet->CurrentRow();
        const int rows = dataSet->RowCount();
        dataSet->CheckBrowseMode();
        if (dataSet->RowCount() < rows && row > inserted)
            --row;
    }
    dataSet->MoveBy(row - dataSet->CurrentRow());
}

void TDBGrid::mousePressEvent(QMouseEvent* event)
{
    Guarded(this, [&] {
        if (!Active() || event->button() != Qt::LeftButton)
            return;
        const QPoint at = event->position().toPoint();
        const int columnLeft = DataRight() - m_column.Width();
        if (at.y() < TitleHeight()) {
            m_resizing = std::abs(at.x() - columnLeft) <= ResizeGrip;
            return;
        }
        const int row = m_top + (at.y() - TitleHeight()) / RowHeight();
        if (row >= DisplayRows())
            return;
        const bool inCell = at.x() >= columnLeft && at.x() < viewport()->width() - IndicatorWidth - LineWidth;
        if (row == DataSet()->CurrentRow() || DataSet()->IsEmpty()) {
            if (inCell)
                ShowEditor();
        } else {
            WriteEditor();
            ClickRow(row);
        }
    });
}

void TDBGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_resizing)
        return;
    m_column.m_width = std::max(ResizeGrip * 2, DataRight() - event->position().toPoint().x());
    LayoutChanged();
}

void TDBGrid::mouseReleaseEvent(QMouseEvent*)
{
    m_resizing = false;
}

void TDBGrid::wheelEvent(QWheelEvent* event)
{
    Guarded(this, [&] {
        const int steps = event->angleDelta().y() / 120;
        if (Active() && steps != 0)
            DataSet()->MoveBy(-steps);
    });
    event->accept();
}

void TDBGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    PaintTitle(painter);
    const int rows = std::min(VisibleRowCount(), DisplayRows() - m_top);
    const int width = viewport()->width();
    const int columnLeft = DataRight() - m_column.Width();
    for (int i = 0; i < rows; ++i) {
        const int row = m_top + i;
        PaintIndicator(painter, IndicatorRect(i), row);
        PaintDataCell(painter, CellRect(i), row);
        const int lineY = TitleHeight() + i * RowHeight() + RowHeight() - LineWidth;
        painter.setPen(Silver);
        painter.drawLine(columnLeft - LineWidth, lineY, width - IndicatorWidth - LineWidth - 1, lineY);
        painter.drawLine(columnLeft - LineWidth, lineY - RowHeight() + 1, columnLeft - LineWidth, lineY);
        painter.setPen(Qt::black);
        painter.drawLine(width - IndicatorWidth, lineY, width - 1, lineY);
    }
    painter.setPen(Qt::black);
    const int bottom = TitleHeight() + rows * RowHeight() - 1;
    painter.drawLine(width - IndicatorWidth - LineWidth, 0, width - IndicatorWidth - LineWidth, bottom);
}

void TDBGrid::PaintTitle(QPainter& painter)
{
    const int width = viewport()->width();
    const int height = TitleHeight() - LineWidth;
    const int columnLeft = DataRight() - m_column.Width();
    const QColor face = palette().color(QPalette::Button);
    for (const QRect& cell : {QRect(columnLeft, 0, m_column.Width(), height),
                              QRect(width - IndicatorWidth, 0, IndicatorWidth, height)}) {
        painter.fillRect(cell, face);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(cell.topLeft(), cell.topRight());
        painter.drawLine(cell.topRight(), cell.bottomRight());
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        painter.drawLine(cell.topLeft(), cell.bottomLeft());
    }
    painter.save();
    painter.setClipRect(QRect(0, 0, width - IndicatorWidth - LineWidth, height));
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::ButtonText));
    RightToLeftText::Draw(
        painter,
        QRect(columnLeft, 0, m_column.Width(), height).adjusted(TextMargin, TextMargin, -TextMargin, 0),
        int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop | Qt::TextSingleLine), m_column.Title());
    painter.restore();
    painter.setPen(Qt::black);
    painter.drawLine(columnLeft - LineWidth, height, width - 1, height);
    painter.drawLine(columnLeft - LineWidth, 0, columnLeft - LineWidth, height);
}

void TDBGrid::PaintIndicator(QPainter& painter, const QRect& rect, int row)
{
    painter.fillRect(rect, palette().color(QPalette::Button));
    if (!Active() || row != DataSet()->CurrentRow())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    const QPoint centre = rect.center();
    switch (DataSet()->State()) {
    case TDataSetState::dsEdit:
        painter.drawLine(centre.x(), centre.y() - 4, centre.x(), centre.y() + 4);
        painter.drawLine(centre.x() - 2, centre.y() - 4, centre.x() + 2, centre.y() - 4);
        painter.drawLine(centre.x() - 2, centre.y() + 4, centre.x() + 2, centre.y() + 4);
        break;
    case TDataSetState::dsInsert:
        painter.drawLine(centre.x() - 3, centre.y(), centre.x() + 3, centre.y());
        painter.drawLine(centre.x(), centre.y() - 3, centre.x(), centre.y() + 3);
        painter.drawLine(centre.x() - 2, centre.y() - 2, centre.x() + 2, centre.y() + 2);
        painter.drawLine(centre.x() - 2, centre.y() + 2, centre.x() + 2, centre.y() - 2);
        break;
    default: {
        // The arrow points at the data cell, which lies to its left.
        const QPoint arrow[] = {QPoint(centre.x() - 2, centre.y()), QPoint(centre.x() + 2, centre.y() - 4),
                                QPoint(centre.x() + 2, centre.y() + 4)};
        painter.drawPolygon(arrow, 3);
        break;
    }
    }
    painter.restore();
}

void TDBGrid::PaintDataCell(QPainter& painter, const QRect& rect, int row)
{
    painter.save();
    painter.setClipRect(rect.intersected(
        QRect(0, 0, viewport()->width() - IndicatorWidth - LineWidth, viewport()->height())));
    if (!Active()) {
        painter.fillRect(rect, m_column.Color());
        painter.restore();
        return;
    }
    TDataSet* dataSet = DataSet();
    const bool selected = row == dataSet->CurrentRow() || dataSet->IsEmpty();
    const bool focused = hasFocus();
    TGridDrawState state;
    if (selected)
        state |= TGridDrawStateFlag::gdSelected;
    if (selected && focused)
        state |= TGridDrawStateFlag::gdFocused;
    if (!(selected && EditorOpen())) {
        painter.setFont(m_column.Font());
        painter.setPen(m_column.FontColor());
        painter.setBrush(m_column.Color());
        const TDataSet::RowReader reader(*dataSet, row);
        if (selected && focused) {
            painter.setBrush(palette().color(QPalette::Highlight));
            painter.setPen(palette().color(QPalette::HighlightedText));
        }
        DefaultDrawColumnCell(painter, rect, 0, m_column, state);
        if (m_onDrawColumnCell)
            Guarded(this, [&] { m_onDrawColumnCell(painter, rect, 0, m_column, state); });
    }
    painter.restore();
    if (selected && focused && isActiveWindow() && !EditorOpen()) {
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.restore();
    }
}

void TDBGrid::DefaultDrawColumnCell(QPainter& canvas, const QRect& rect, int, TColumn& column, TGridDrawState)
{
    canvas.fillRect(rect, canvas.brush());
    const TField* field = column.Field();
    if (field == nullptr)
        return;
    RightToLeftText::Draw(canvas, rect.adjusted(TextMargin, TextMargin, -TextMargin, 0),
                          int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop | Qt::TextSingleLine),
                          field->DisplayText());
}
