#pragma once

#include "TResultSet.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class SqliteDatabase;

// The rows of a table read whole, kept until the next read, so that a second statement reading the
// very same rows gets them without reading the file again. At start the browse dataset reads Query1,
// a view of all of Table1 in key order, and at once the search dataset reads all of Table1: one read
// serves both. The rows are shared only where both statements read every row of the same table in
// the same order (SELECT * with no condition, a view that is that table in its scan order) and the
// file has not changed since the first read, by this connection or by any other; otherwise the second
// statement is read as it stands. Each result keeps its own rows: a change written through one
// dataset replaces that dataset's row alone.
class WholeTableReads
{
public:
    // The whole result of the statement.
    TResultSet Read(SqliteDatabase& db, const QString& sql);
    // Lets go of the rows kept, as when the file is closed.
    void Forget();

private:
    struct Kept
    {
        QString table;
        qint64 dataVersion = 0;
        int totalChanges = 0;
        std::weak_ptr<RowArena> arena;
        std::vector<RowData> rows;
    };
    std::optional<Kept> m_kept;
};
