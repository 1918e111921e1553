#pragma once

#include "Exceptions.h"

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// A failure of SQLite while the copy is written, as opposed to one of the Jet file.
class JetSqlError : public EOleException
{
public:
    using EOleException::EOleException;
};

// One prepared SQLite statement of the Jet copy. Failures throw EOleException with SQLite's text.
class JetSqlStatement
{
public:
    JetSqlStatement(sqlite3* db, const QString& sql);
    ~JetSqlStatement();
    JetSqlStatement(const JetSqlStatement&) = delete;
    JetSqlStatement& operator=(const JetSqlStatement&) = delete;

    void BindNull(int index);
    void BindInt(int index, qint64 value);
    void BindDouble(int index, double value);
    void BindText(int index, const char* utf8, int length);
    void BindBlob(int index, const void* data, int length);

    // Runs the statement; true while it gives a row.
    bool Step();
    void Reset();
    qint64 ColumnInt(int index) const;

    // Runs a statement without results.
    static void Execute(sqlite3* db, const QString& sql);

    // "name" with inner quotes doubled: a name as SQLite reads it.
    static QString QuoteName(const QString& name);

private:
    [[noreturn]] void Fail() const;

    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};
