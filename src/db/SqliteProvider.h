#pragma once

#include "TResultSet.h"

#include <optional>
#include <vector>

class SqliteDatabase;

// Reads results from and writes rows to an SQLite file. Each write is one transaction; a row is found
// by its key, and an update also by the original values of the columns it changes, so a row changed
// by another process since it was read is reported instead of overwritten.
namespace SqliteProvider {

using Values = std::vector<std::optional<QString>>;

// A table's or column's name as SQL names it, in double quotes.
QString Quoted(const QString& name);

// Runs the statement and reads every row. The result is updatable when the file can be written and
// the columns come from one table whose key is among them.
TResultSet ReadResult(const SqliteDatabase& db, const QString& sql);
// The fields of the statement's result and whether it is updatable, as ReadResult gives them, with no
// row read.
TResultSet ReadLayout(const SqliteDatabase& db, const QString& sql);

// Writes the changed columns of a row; gives the row as stored.
RowData UpdateRow(SqliteDatabase& db, const TResultSet& layout, const RowData& original, const Values& values,
                  const std::vector<int>& changed);
// Adds a row with the given columns; gives the row as stored, with its new key.
RowData InsertRow(SqliteDatabase& db, const TResultSet& layout, const Values& values,
                  const std::vector<int>& changed);
void DeleteRow(SqliteDatabase& db, const TResultSet& layout, const RowData& row);

} // namespace SqliteProvider
