#pragma once

#include <QByteArray>
#include <QString>

struct sqlite3_stmt;
class SqliteDatabase;

// An owned prepared statement. The text is handed to SQLite exactly as given.
class SqliteStatement
{
public:
    SqliteStatement(const SqliteDatabase& db, const QString& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void BindText(int index, const char* utf8, int bytes);
    void BindText(int index, const QByteArray& utf8) { BindText(index, utf8.constData(), utf8.size()); }
    void BindNull(int index);
    void BindInt64(int index, qint64 value);
    // Makes the statement ready to run again, with its bindings kept.
    void Reset();

    // Advances to the next row; false when there is none. Raises EOleException on failure.
    bool Step();

    int ColumnCount() const;
    QString ColumnName(int column) const;
    QString DeclaredType(int column) const;
    QString OriginTable(int column) const;
    QString OriginColumn(int column) const;
    bool IsNull(int column) const;
    // The value as UTF-8 text; valid until the next Step.
    const char* Text(int column) const;
    int Bytes(int column) const;
    qint64 Int64(int column) const;

private:
    const SqliteDatabase& m_db;
    sqlite3_stmt* m_stmt = nullptr;
};
