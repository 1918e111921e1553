#pragma once

#include "JetBinding.h"
#include "JetReadingPlace.h"
#include "MdbApi.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class JetFile;
struct sqlite3;

// Copies one user table of a Jet file into an SQLite table of the same name and columns.
class JetTableCopier
{
public:
    // Reads the table's definition; throws the file's error when it cannot be read. The columns named
    // in leaveOut are not read (a note says so).
    JetTableCopier(const JetFile& file, MdbCatalogEntry* entry, const QStringList& leaveOut = {});
    ~JetTableCopier();
    JetTableCopier(const JetTableCopier&) = delete;
    JetTableCopier& operator=(const JetTableCopier&) = delete;

    QString Name() const { return m_name; }
    qint64 DeclaredRows() const { return m_table->num_rows; }
    bool HasColumns() const { return !m_columns.isEmpty(); }

    // Columns of a kind that is not carried, and columns left out, as sentences for the report.
    QStringList Skipped() const { return m_skipped; }

    // Creates the SQLite table: the Jet primary key stays the key; with addKey a table without one
    // gets an INTEGER PRIMARY KEY column of its own.
    void CreateTable(sqlite3* db, bool addKey);

    // Copies every row (the table must have columns); rowDone is called after each. Returns the rows copied,
    // and throws the file's error when fewer rows can be read than the table declares.
    qint64 CopyRows(sqlite3* db, const std::function<void()>& rowDone);

private:
    struct Column
    {
        MdbColumn* mdb;
        int position; // in the table's column list, as libmdb numbers the fields of a row
        QString declared;
        std::unique_ptr<JetBinding> binding; // for the kinds libmdb gives as text
        std::unique_ptr<JetReadingPlace> place;
    };

    QStringList PrimaryKey() const;
    QString KeyColumnName() const;

    const JetFile& m_file;
    QString m_name;
    JetReadingPlace m_place;
    MdbTableDef* m_table = nullptr;
    QList<Column*> m_columns;
    QStringList m_skipped;
};
