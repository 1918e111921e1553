#include "SqliteStatement.h"

#include "Exceptions.h"
#include "SqliteDatabase.h"

#include <sqlite3.h>

#include <cctype>
#include <cstring>

namespace {

// True when the text holds nothing but blanks, semicolons and comments.
bool OnlyBlanks(const char* tail)
{
    for (const char* p = tail; *p != '\0'; ++p) {
        if (p[0] == '-' && p[1] == '-') {
            while (*p != '\0' && *p != '\n')
                ++p;
            if (*p == '\0')
                return true;
        } else if (p[0] == '/' && p[1] == '*') {
            const char* end = std::strstr(p + 2, "*/");
            if (end == nullptr)
                return true;
            p = end + 1;
        } else if (*p != ';' && !std::isspace(static_cast<unsigned char>(*p))) {
            return false;
        }
    }
    return true;
}

QString Utf8OrEmpty(const char* text)
{
    return text != nullptr ? QString::fromUtf8(text) : QString();
}

} // namespace

SqliteStatement::SqliteStatement(const SqliteDatabase& db, const QString& sql) : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db.Handle(), text.constData(), int(text.size()) + 1, &m_stmt, &tail);
    if (rc != SQLITE_OK)
        db.Fail(rc);
    if (m_stmt == nullptr)
        throw EOleException(QStringLiteral("The statement is empty"));
    if (tail != nullptr && !OnlyBlanks(tail)) {
        sqlite3_finalize(m_stmt);
        throw EOleException(QStringLiteral("Characters found after the end of the statement"));
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::BindText(int index, const char* utf8, int bytes)
{
    const int rc = sqlite3_bind_text(m_stmt, index, utf8, bytes, SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        m_db.Fail(rc);
}

void SqliteStatement::BindNull(int index)
{
    const int rc = sqlite3_bind_null(m_stmt, index);
    if (rc != SQLITE_OK)
        m_db.Fail(rc);
}

void SqliteStatement::BindInt64(int index, qint64 value)
{
    const int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK)
        m_db.Fail(rc);
}

void SqliteStatement::Reset()
{
    sqlite3_reset(m_stmt);
}

bool SqliteStatement::Step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    m_db.Fail(rc);
}

int SqliteStatement::ColumnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString SqliteStatement::ColumnName(int column) const
{
    return Utf8OrEmpty(sqlite3_column_name(m_stmt, column));
}

QString SqliteStatement::DeclaredType(int column) const
{
    return Utf8OrEmpty(sqlite3_column_decltype(m_stmt, column));
}

QString SqliteStatement::OriginTable(int column) const
{
    return Utf8OrEmpty(sqlite3_column_table_name(m_stmt, column));
}

QString SqliteStatement::OriginColumn(int column) const
{
    return Utf8OrEmpty(sqlite3_column_origin_name(m_stmt, column));
}

bool SqliteStatement::IsNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

const char* SqliteStatement::Text(int column) const
{
    return reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
}

int SqliteStatement::Bytes(int column) const
{
    return sqlite3_column_bytes(m_stmt, column);
}

qint64 SqliteStatement::Int64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}
