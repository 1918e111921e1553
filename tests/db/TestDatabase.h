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

private:
    QTemporaryDir m_dir;
    QString m_previousFolder;
};
