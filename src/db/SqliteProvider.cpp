#include "SqliteProvider.h"

#include "Exceptions.h"
#include "MessageNames.h"
#include "SqliteDatabase.h"
#include "SqliteStatement.h"

#include <QStringList>

namespace SqliteProvider {

QString Quoted(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

namespace {

void Bind(SqliteStatement& statement, int index, const std::optional<QString>& value)
{
    if (value)
        statement.BindText(index, value->toUtf8());
    else
        statement.BindNull(index);
}

// A value as it was read, byte for byte: a text that is not valid UTF-8 is still found by it.
void BindAsRead(SqliteStatement& statement, int index, const RowData& row, int column)
{
    if (row.IsNull(column))
        statement.BindNull(index);
    else
        statement.BindText(index, row.Utf8(column));
}

// Runs a write as one transaction: rolled back when it raises.
template <class Write>
auto InTransaction(SqliteDatabase& db, Write&& write)
{
    db.CheckFileInPlace();
    return db.InTransaction("BEGIN IMMEDIATE", std::forward<Write>(write));
}

[[noreturn]] void RowNotFound(const SqliteDatabase& db)
{
    throw EOleException(QStringLiteral("این مورد در %1 ذخیره نشد: کاربر یا برنامه "
                                       "دیگری پس از خوانده شدن، آن را تغییر داده یا "
                                       "پاک کرده است. برنامه را دوباره باز کنید تا "
                                       "نسخه تازه را ببینید")
                            .arg(FileNameInMessage(db.Path())));
}

// Reads a stored row back by its rowid, in the layout of the result.
RowData ReadBack(const SqliteDatabase& db, const TResultSet& layout, qint64 rowId)
{
    QStringList columns;
    for (const TFieldDef& field : layout.fields)
        columns << (field.baseColumn.isEmpty() ? QStringLiteral("NULL") : Quoted(field.baseColumn));
    SqliteStatement select(db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = %3")
                                   .arg(columns.join(QLatin1Char(',')), Quoted(layout.baseTable))
                                   .arg(rowId));
    if (!select.Step())
        RowNotFound(db);
    return RowData::FromStatement(select, int(layout.fields.size()));
}

// The fields of the prepared statement's result and whether it is updatable.
TResultSet Layout(const SqliteDatabase& db, const SqliteStatement& statement)
{
    TResultSet result;
    const int columns = statement.ColumnCount();
    bool oneTable = columns > 0;
    for (int c = 0; c < columns; ++c) {
        TFieldDef def;
        def.name = statement.ColumnName(c);
        ApplyDeclaredType(def, statement.DeclaredType(c));
        def.baseTable = statement.OriginTable(c);
        def.baseColumn = statement.OriginColumn(c);
        if (!def.baseTable.isEmpty()) {
            if (result.baseTable.isEmpty())
                result.baseTable = def.baseTable;
            else if (result.baseTable.compare(def.baseTable, Qt::CaseInsensitive) != 0)
                oneTable = false;
        }
        result.fields.push_back(std::move(def));
    }
    if (oneTable && !result.baseTable.isEmpty()) {
        const QString key = db.PrimaryKeyColumn(result.baseTable);
        for (int c = 0; c < columns && !key.isEmpty(); ++c) {
            if (result.fields[std::size_t(c)].baseColumn.compare(key, Qt::CaseInsensitive) == 0) {
                result.fields[std::size_t(c)].isKey = true;
                result.keyField = c;
                break;
            }
        }
    }
    result.updatable = oneTable && result.keyField >= 0 && !db.IsReadOnly();
    if (!result.updatable) {
        for (TFieldDef& def : result.fields)
            def.baseColumn.clear();
    }
    return result;
}

} // namespace

TResultSet ReadResult(const SqliteDatabase& db, const QString& sql)
{
    SqliteStatement statement(db, sql);
    TResultSet result = Layout(db, statement);
    const int columns = int(result.fields.size());
    result.arena = std::make_shared<RowArena>();
    while (statement.Step())
        result.rows.push_back(RowData::FromStatement(statement, columns, result.arena.get()));
    return result;
}

TResultSet ReadLayout(const SqliteDatabase& db, const QString& sql)
{
    const SqliteStatement statement(db, sql);
    return Layout(db, statement);
}

RowData UpdateRow(SqliteDatabase& db, const TResultSet& layout, const RowData& original, const Values& values,
                  const std::vector<int>& changed)
{
    QStringList sets;
    QStringList checks{Quoted(layout.fields[std::size_t(layout.keyField)].baseColumn) +
                       QStringLiteral(" = ?")};
    for (int c : changed) {
        sets << Quoted(layout.fields[std::size_t(c)].baseColumn) + QStringLiteral(" = ?");
        checks << Quoted(layout.fields[std::size_t(c)].baseColumn) + QStringLiteral(" IS ?");
    }
    const QString sql =
        QStringLiteral("UPDATE %1 SET %2 WHERE %3")
            .arg(Quoted(layout.baseTable), sets.join(QLatin1Char(',')), checks.join(QStringLiteral(" AND ")));
    return InTransaction(db, [&] {
        SqliteStatement update(db, sql);
        int index = 1;
        for (int c : changed)
            Bind(update, index++, values[std::size_t(c)]);
        BindAsRead(update, index++, original, layout.keyField);
        for (int c : changed)
            BindAsRead(update, index++, original, c);
        update.Step();
        if (db.Changes() != 1)
            RowNotFound(db);
        return RowData::FromValues(values);
    });
}

RowData InsertRow(SqliteDatabase& db, const TResultSet& layout, const Values& values,
                  const std::vector<int>& changed)
{
    QStringList columns;
    QStringList marks;
    for (int c : changed) {
        columns << Quoted(layout.fields[std::size_t(c)].baseColumn);
        marks << QStringLiteral("?");
    }
    const QString sql = changed.empty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Quoted(layout.baseTable))
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(Quoted(layout.baseTable), columns.join(QLatin1Char(',')),
                                       marks.join(QLatin1Char(',')));
    return InTransaction(db, [&] {
        SqliteStatement insert(db, sql);
        int index = 1;
        for (int c : changed)
            Bind(insert, index++, values[std::size_t(c)]);
        insert.Step();
        return ReadBack(db, layout, db.LastInsertRowId());
    });
}

void DeleteRow(SqliteDatabase& db, const TResultSet& layout, const RowData& row)
{
    const QString sql =
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
            .arg(Quoted(layout.baseTable), Quoted(layout.fields[std::size_t(layout.keyField)].baseColumn));
    InTransaction(db, [&] {
        SqliteStatement remove(db, sql);
        Bind(remove, 1, row.OptionalValue(layout.keyField));
        remove.Step();
        if (db.Changes() != 1)
            RowNotFound(db);
        return true;
    });
}

} // namespace SqliteProvider
