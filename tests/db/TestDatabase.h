#pragma once

#include <QString>
#include <QTemporaryDir>

#include <optional>

struct sqlite3;

// A working folder holding a dorvanel.mdb for one test: the sample collection, or a file built from
// the given SQL. The process's working folder is moved there while the object lives.
class TestDatabase
{
public:
    // The sample collection of data/dorvanel.sql.
    TestDatabase();
    // A file built from this SQL; no file at all when the SQL is empty.
    explicit TestDatabase(const QString& sql);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    QString Path() const;
    QString Folder() const { return m_dir.path(); }

    // Statements run through a connection of its own, as another program would.
    void Execute(const QString& sql) const;
    // The first column of the first row, as text; none when there is no row or it is null.
    std::optional<QString> Value(const QString& sql) const;

    // The SQL text of the sample collection.
    static QString SampleSql();
    // Table1 and the view Query1 over it in key order; titles of the given declared length.
    static QString Schema(int titleLength = 255);
    // The schema and n entries: title tN, question qN, answer aN, sources sN.
    static QString Collection(int n, int titleLength = 255);

private:
    QTemporaryDir m_dir;
    QString m_previousFolder;
};
