#pragma once

#include <QTextCursor>

#include <vector>

class QTextTable;

// What an RTF row definition (\trowd to the row's end) says about the row: the right edges of its
// cells (\cellx), its left edge (\trleft), the space inside each cell (\trgaph), its reading order
// (\rtlrow), its alignment and whether its cells have drawn borders. Lengths are twips.
struct RtfRowDefinition
{
    std::vector<int> cellRight;
    int left = 0;
    int gap = 0;
    bool rightToLeft = false;
    bool borders = false;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// Builds the tables of an RTF text into a text document, one cell at a time, through the reader's
// cursor. Tables nest: content at depth 2 goes into a table inside the current cell of the table at
// depth 1. The cells of a right-to-left row run from the right edge: its first cell is the rightmost
// column. Column widths come from the row definition in force when a row ends. Tables, rows and
// columns beyond the limits below take no more structure; their text goes into the last cell.
class RtfTableBuilder
{
public:
    static constexpr int MaxDepth = 8;
    static constexpr int MaxColumns = 63;
    static constexpr int MaxRows = 1000;

    explicit RtfTableBuilder(QTextCursor& cursor) : m_cursor(cursor) {}

    // Puts the cursor where content at the nesting depth (0: outside every table) goes: closes deeper
    // tables, opens the missing ones and moves into the current cell. Returns whether the cursor moved
    // to an empty place of its own (a new cell, a new table, the paragraph after a table).
    bool Place(int depth, const RtfRowDefinition& row);

    // Ends the current cell of the table at the depth (placed before): the next content goes to the
    // next cell of the row.
    void EndCell(int depth);

    // Ends the current row of the table at the depth with the row's definition. Returns false when no
    // table is open at that depth.
    bool EndRow(int depth, const RtfRowDefinition& row);

private:
    struct Level
    {
        QTextTable* table = nullptr;
        int row = 0;
        int cell = 0;
        bool placed = false;
        bool rightToLeft = false;
    };

    void Open(const RtfRowDefinition& row);
    void Close();
    void MoveToCell(Level& level, const RtfRowDefinition& row);
    void ApplyWidths(Level& level, const RtfRowDefinition& row);

    QTextCursor& m_cursor;
    std::vector<Level> m_levels;
};
