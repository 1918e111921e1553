#include "WholeTableReads.h"

#include "Exceptions.h"
#include "SqliteDatabase.h"
#include "SqliteProvider.h"
#include "SqliteStatement.h"

#include <QRegularExpression>

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
    QString quoted = table;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    const QString scan = QStringLiteral("SCAN ") + table;
    if (Plan(db, sql) != scan || Plan(db, QStringLiteral("SELECT * FROM \"%1\"").arg(quoted)) != scan)
        return QString();
    return table;
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
        TResultSet result = SqliteProvider::ReadResult(db, sql);
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
