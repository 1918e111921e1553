#include "RtfTableBuilder.h"

#include <QTextTable>

#include <algorithm>

namespace {

// Table lengths are measured at 96 pixels per inch, which Qt scales to the paint device: 15 twips.
constexpr double TwipsPerTablePixel = 15.0;
constexpr int MaxTwips = 31680;

QTextTableFormat TableFormat(const RtfRowDefinition& row)
{
    QTextTableFormat format;
    format.setBorder(row.borders ? 1 : 0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(QBrush(Qt::black));
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(std::clamp(row.gap, 0, 1440) / TwipsPerTablePixel);
    format.setMargin(0);
    format.setAlignment(row.rightToLeft && row.alignment == Qt::AlignLeft ? Qt::AlignRight : row.alignment);
    return format;
}

} // namespace

bool RtfTableBuilder::Place(int depth, const RtfRowDefinition& row)
{
    depth = std::clamp(depth, 0, MaxDepth);
    bool moved = false;
    while (static_cast<int>(m_levels.size()) > depth) {
        Close();
        moved = true;
    }
    for (int i = 0; i < depth; ++i) {
        if (i == static_cast<int>(m_levels.size())) {
            Open(row);
            moved = true;
        }
        if (!m_levels[i].placed) {
            while (static_cast<int>(m_levels.size()) > i + 1)
                Close();
            MoveToCell(m_levels[i], row);
            moved = true;
        }
    }
    return moved;
}

void RtfTableBuilder::EndCell(int depth)
{
    depth = std::clamp(depth, 1, MaxDepth);
    if (static_cast<int>(m_levels.size()) < depth)
        return;
    Level& level = m_levels[depth - 1];
    level.cell = std::min(level.cell + 1, MaxColumns - 1);
    level.placed = false;
}

bool RtfTableBuilder::EndRow(int depth, const RtfRowDefinition& row)
{
    depth = std::clamp(depth, 1, MaxDepth);
    if (static_cast<int>(m_levels.size()) < depth)
        return false;
    while (static_cast<int>(m_levels.size()) > depth)
        Close();
    Level& level = m_levels[depth - 1];
    ApplyWidths(level, row);
    level.row = std::min(level.row + 1, MaxRows - 1);
    level.cell = 0;
    level.placed = false;
    return true;
}

void RtfTableBuilder::Open(const RtfRowDefinition& row)
{
    Level level;
    level.table = m_cursor.insertTable(1, 1, TableFormat(row));
    level.rightToLeft = row.rightToLeft;
    m_levels.push_back(level);
}

void RtfTableBuilder::Close()
{
    m_cursor.setPosition(m_levels.back().table->lastPosition() + 1);
    m_levels.pop_back();
}

void RtfTableBuilder::MoveToCell(Level& level, const RtfRowDefinition& row)
{
    QTextTable* table = level.table;
    if (level.cell == 0)
        level.rightToLeft = row.rightToLeft;
    if (level.row >= table->rows())
        table->appendRows(level.row - table->rows() + 1);
    if (level.cell >= table->columns()) {
        const int added = level.cell - table->columns() + 1;
        if (level.rightToLeft)
            table->insertColumns(0, added);
        else
            table->appendColumns(added);
    }
    const int column = level.rightToLeft ? table->columns() - 1 - level.cell : level.cell;
    m_cursor = table->cellAt(level.row, column).lastCursorPosition();
    level.placed = true;
}

void RtfTableBuilder::ApplyWidths(Level& level, const RtfRowDefinition& row)
{
    QTextTable* table = level.table;
    const int columns = table->columns();
    if (static_cast<int>(row.cellRight.size()) != columns)
        return;
    QList<QTextLength> widths(columns);
    int left = std::clamp(row.left, -MaxTwips, MaxTwips);
    for (int i = 0; i < columns; ++i) {
        const int right = std::clamp(row.cellRight[i], -MaxTwips, MaxTwips);
        const int width = std::max(right - left, 1);
        left = right;
        const int column = level.rightToLeft ? columns - 1 - i : i;
        widths[column] = QTextLength(QTextLength::FixedLength, width / TwipsPerTablePixel);
    }
    // A table has one border: drawn when any of its rows asks for one.
    const double border = table->format().border();
    QTextTableFormat format = TableFormat(row);
    format.setBorder(std::max(border, format.border()));
    format.setColumnWidthConstraints(widths);
    table->setFormat(format);
}
