#include "WholeTableReads.h"

#include "Exceptions.h"
#include "SqliteDatabase.h"
#include "SqliteProvider.h"
#include "SqliteStatement.h"

#include <QRegularExpression>

#include <optional>
#include <thread>
#include <utility>

namespace {

const QString Name = QStringLiteral(R"((\w+|"(?:[^"]|"")+"))");

QString Unquoted(const QString& name)
{
    if (!name.startsWith(QLatin1Char('"')))
        return name;
    return name.mid(1, name.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

// The steps of the statement's plan, one per line.
QString Plan(const SqliteDatabase& db, const QString& sql)
{
    SqliteStatement plan(db, QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
    QStringList steps;
    while (plan.Step())
        steps << QString::fromUtf8(plan.Text(3));
    return steps.join(QLatin1Char('\n'));
}

// The table whose every row the statement reads, all its columns in its scan order; empty when the
// statement reads anything else.
QString TableReadWhole(const SqliteDatabase& db, const QString& sql)
{
    static const QRegularExpression selectAll(
        QStringLiteral(R"(\A\s*SELECT\s+\*\s+FROM\s+%1\s*;?\s*\z)").arg(Name),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression wholeView(
        QStringLiteral(
            R"(\A\s*CREATE\s+VIEW\s+%1\s+AS\s+SELECT\s+\*\s+FROM\s+%1(?:\s+ORDER\s+BY\s+%1(?:\s+ASC)?)?\s*;?\s*\z)")
            .arg(Name),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch statement = selectAll.match(sql);
    if (!statement.hasMatch())
        return QString();
    const QString name = Unquoted(statement.captured(1));
    SqliteStatement object(
        db, QStringLiteral("SELECT type, sql FROM sqlite_master WHERE name = ? COLLATE NOCASE"));
    object.BindText(1, name.toUtf8());
    if (!object.Step())
        return QString();
    QString table;
    const QByteArray type = object.Text(0);
    if (type == "table") {
        table = name;
    } else if (type == "view") {
        const QRegularExpressionMatch view = wholeView.match(QString::fromUtf8(object.Text(1)));
        if (!view.hasMatch())
            return QString();
        table = Unquoted(view.captured(2));
    } else {
        return QString();
    }
    // The table scanned from its first row to its last, and no sorting: the order of its rows.
    const QString scan = QStringLiteral("SCAN ") + table;
    if (Plan(db, sql) != scan ||
        Plan(db, QStringLiteral("SELECT * FROM ") + SqliteProvider::Quoted(table)) != scan)
        return QString();
    return table;
}

// The rows of a table with keys in a range, in key order, into the arena.
std::vector<RowData> ReadRows(const SqliteDatabase& db, const QString& table, const char* range, qint64 bound,
                              int columns, RowArena* arena)
{
    SqliteStatement rows(db, QStringLiteral("SELECT * FROM %1 WHERE rowid %2 ? ORDER BY rowid")
                                 .arg(SqliteProvider::Quoted(table), QLatin1String(range)));
    rows.BindInt64(1, bound);
    std::vector<RowData> read;
    while (rows.Step())
        read.push_back(RowData::FromStatement(rows, columns, arena));
    return read;
}

// The later part of a table, read on a connection of its own.
struct LaterRows
{
    std::vector<RowData> rows;
    RowArena arena;
    bool read = false;
};

void ReadLaterRows(const QString& path, const QString& table, qint64 after, int columns, LaterRows& later)
{
    try {
        SqliteDatabase db;
        db.Open(path);
        // Waiting for a lock here could wait for the other part, which holds the file meanwhile.
        db.SetWaitForLocks(false);
        db.InTransaction("BEGIN",
                         [&] { later.rows = ReadRows(db, table, ">", after, columns, &later.arena); });
        later.read = true;
    } catch (const std::exception&) {
        // The first connection reads these rows itself, and reports what goes wrong.
    }
}

// Files from this many pages on are read in two parts at once.
constexpr qint64 PagesReadInParts = 2048;

// Every row of the table, in key order, on the connection's open read transaction. A large file is
// read in two parts at once, the later part on a second connection in a thread of its own: copying
// the text into memory is most of the work, and a second processor halves it. Both parts see the
// same rows, as the first connection holds the file (no program can write it) before the second
// starts; a file in write-ahead-log mode, where that does not hold, is read in one part.
TResultSet ReadWholeTable(const SqliteDatabase& db, const QString& sql, const QString& table)
{
    const auto number = [&](const QString& query) {
        SqliteStatement statement(db, query);
        return statement.Step() ? statement.Int64(0) : 0;
    };
    const auto text = [&](const QString& query) {
        SqliteStatement statement(db, query);
        return statement.Step() ? QByteArray(statement.Text(0)) : QByteArray();
    };
    std::optional<qint64> middle;
    try {
        if (!db.IsInMemory() && number(QStringLiteral("PRAGMA page_count")) >= PagesReadInParts &&
            text(QStringLiteral("PRAGMA journal_mode")).compare("wal", Qt::CaseInsensitive) != 0) {
            // Reading the bounds takes the file's shared lock for the transaction. Each bound is a
            // query of its own, which SQLite answers from the end of the table's tree; both in one
            // query would read every row.
            const QString quoted = SqliteProvider::Quoted(table);
            SqliteStatement bounds(
                db, QStringLiteral("SELECT (SELECT min(rowid) FROM %1), (SELECT max(rowid) FROM %1)")
                        .arg(quoted));
            if (bounds.Step() && !bounds.IsNull(0))
                middle = bounds.Int64(0) + (bounds.Int64(1) - bounds.Int64(0)) / 2;
        }
    } catch (const EOleException&) {
        // A table without rowids, for one: the statement is read as it stands, and reports its errors.
    }
    if (!middle)
        return SqliteProvider::ReadResult(db, sql);
    TResultSet result = SqliteProvider::ReadLayout(db, sql);
    const int columns = int(result.fields.size());
    result.arena = std::make_shared<RowArena>();
    LaterRows later;
    std::thread second(ReadLaterRows, db.Path(), table, *middle, columns, std::ref(later));
    try {
        result.rows = ReadRows(db, table, "<=", *middle, columns, result.arena.get());
    } catch (...) {
        second.join();
        throw;
    }
    second.join();
    if (!later.read)
        later.rows = ReadRows(db, table, ">", *middle, columns, &later.arena);
    result.arena->Adopt(std::move(later.arena));
    result.rows.reserve(result.rows.size() + later.rows.size());
    std::move(later.rows.begin(), later.rows.end(), std::back_inserter(result.rows));
    return result;
}

qint64 DataVersion(const SqliteDatabase& db)
{
    SqliteStatement version(db, QStringLiteral("PRAGMA data_version"));
    return version.Step() ? version.Int64(0) : -1;
}

} // namespace

TResultSet WholeTableReads::Read(SqliteDatabase& db, const QString& sql)
{
    std::optional<Kept> kept = std::exchange(m_kept, std::nullopt);
    QString table;
    try {
        table = TableReadWhole(db, sql);
    } catch (const EOleException&) {
        // The statement itself reports what is wrong.
    }
    if (table.isEmpty())
        return SqliteProvider::ReadResult(db, sql);
    // One read transaction: the version seen is the version of the rows read.
    return db.InTransaction("BEGIN", [&] {
        const qint64 version = DataVersion(db);
        if (kept && kept->table.compare(table, Qt::CaseInsensitive) == 0 && kept->dataVersion == version &&
            kept->totalChanges == db.TotalChanges()) {
            if (std::shared_ptr<RowArena> arena = kept->arena.lock()) {
                TResultSet result = SqliteProvider::ReadLayout(db, sql);
                result.arena = std::move(arena);
                result.rows = std::move(kept->rows);
                return result;
            }
        }
        TResultSet result = ReadWholeTable(db, sql, table);
        Kept read{table, version, db.TotalChanges(), result.arena, {}};
        read.rows.reserve(result.rows.size());
        for (const RowData& row : result.rows)
            read.rows.push_back(row.Share());
        m_kept = std::move(read);
        return result;
    });
}

void WholeTableReads::Forget()
{
    m_kept.reset();
}
