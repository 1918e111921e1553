#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <type_traits>

struct sqlite3;

// An owned connection to one SQLite file, or to a database in memory. Opening never creates the file;
// the first read of the schema happens at once, so a file that is not a database or is locked is
// reported by Open.
class SqliteDatabase
{
public:
    SqliteDatabase() = default;
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // Opens the file read-write (read-only when the file cannot be written). Raises EOleException with
    // a text naming the file, the cause and what the reader can do.
    void Open(const QString& path);
    // Opens a new, empty database in memory, with the same functions; `path` names it in error texts.
    void OpenInMemory(const QString& path);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    // True when the file was opened read-only or the connection refuses every change (query_only).
    bool IsReadOnly() const;
    const QString& Path() const { return m_path; }
    // Whether this is the database in memory of OpenInMemory.
    bool IsInMemory() const { return m_inMemory; }
    sqlite3* Handle() const { return m_db; }

    // Registers SQL functions (for instance a LIKE of our own) on every connection this object opens.
    using FunctionInstaller = std::function<void(sqlite3*)>;
    void SetFunctionInstaller(FunctionInstaller installer) { m_installer = std::move(installer); }

    // Raises EOleException when the file that was opened is no longer at its path (removed, moved or
    // replaced) or has lost its write permission, so that a change is not written where nobody reads it.
    void CheckFileInPlace() const;

    // Whether a statement waits a while for another process that holds the file's lock (the default)
    // or fails at once with a busy error.
    void SetWaitForLocks(bool wait);

    // Runs statements that return no rows (BEGIN, COMMIT, ROLLBACK).
    void Execute(const char* sql);
    // Runs the work between `begin` ("BEGIN", "BEGIN IMMEDIATE") and COMMIT, and gives its result;
    // rolls back when it raises.
    template <class Work>
    auto InTransaction(const char* begin, Work&& work);
    // Rows changed by the last INSERT, UPDATE or DELETE, and the key of the last row inserted.
    int Changes() const;
    // Rows changed since the connection was opened.
    int TotalChanges() const;
    qint64 LastInsertRowId() const;

    // The name of the INTEGER PRIMARY KEY (or single-column primary key) of a table, empty when none.
    QString PrimaryKeyColumn(const QString& table) const;

    // An EOleException for the connection's last error, with our own wording of the common causes.
    [[noreturn]] void Fail(int code) const;

private:
    void OpenHandle(const char* name, int flags);
    // The error of a change refused because the file, or the Access file copied into memory, is
    // read-only.
    [[noreturn]] void ReadOnly() const;

    sqlite3* m_db = nullptr;
    QString m_path;
    // The database in memory is the copy of an Access file (OpenInMemory).
    bool m_inMemory = false;
    // The identity of the file opened: device and inode.
    quint64 m_device = 0;
    quint64 m_inode = 0;
    FunctionInstaller m_installer;
};

template <class Work>
auto SqliteDatabase::InTransaction(const char* begin, Work&& work)
{
    Execute(begin);
    try {
        if constexpr (std::is_void_v<decltype(work())>) {
            work();
            Execute("COMMIT");
        } else {
            auto result = work();
            Execute("COMMIT");
            return result;
        }
    } catch (...) {
        try {
            Execute("ROLLBACK");
        } catch (...) {
            // The transaction is gone already; the first error is the one to report.
        }
        throw;
    }
}
