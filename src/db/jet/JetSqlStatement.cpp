#include "JetSqlStatement.h"

#include <sqlite3.h>

JetSqlStatement::JetSqlStatement(sqlite3* db, const QString& sql) : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &m_statement, nullptr) != SQLITE_OK)
        Fail();
}

JetSqlStatement::~JetSqlStatement()
{
    sqlite3_finalize(m_statement);
}

void JetSqlStatement::BindNull(int index)
{
    if (sqlite3_bind_null(m_statement, index) != SQLITE_OK)
        Fail();
}

void JetSqlStatement::BindInt(int index, qint64 value)
{
    if (sqlite3_bind_int64(m_statement, index, value) != SQLITE_OK)
        Fail();
}

void JetSqlStatement::BindDouble(int index, double value)
{
    if (sqlite3_bind_double(m_statement, index, value) != SQLITE_OK)
        Fail();
}

void JetSqlStatement::BindText(int index, const char* utf8, int length)
{
    if (sqlite3_bind_text(m_statement, index, utf8, length, SQLITE_TRANSIENT) != SQLITE_OK)
        Fail();
}

void JetSqlStatement::BindBlob(int index, const void* data, int length)
{
    if (sqlite3_bind_blob(m_statement, index, data, length, SQLITE_TRANSIENT) != SQLITE_OK)
        Fail();
}

bool JetSqlStatement::Step()
{
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE)
        Fail();
    return false;
}

void JetSqlStatement::Reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

qint64 JetSqlStatement::ColumnInt(int index) const
{
    return sqlite3_column_int64(m_statement, index);
}

void JetSqlStatement::Execute(sqlite3* db, const QString& sql)
{
    JetSqlStatement statement(db, sql);
    statement.Step();
}

QString JetSqlStatement::QuoteName(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void JetSqlStatement::Fail() const
{
    throw JetSqlError(QString::fromUtf8(sqlite3_errmsg(m_db)));
}
