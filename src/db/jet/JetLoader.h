#pragma once

#include "JetLoadOptions.h"
#include "JetLoadReport.h"

#include <QString>

class JetFile;
struct sqlite3;

// Copies a Jet file into an SQLite database in this process, with libmdb. Only the helper program
// runs it (see CMakeLists.txt); throws EOleException on any failure.
class JetLoader
{
public:
    JetLoader(const QString& path, const JetLoadOptions& options);

    // Every user table, then the view Query1; all or nothing, in one transaction.
    void Run(sqlite3* db, JetLoadReport& report);

private:
    void MakeBrowseQuery(const JetFile& file, sqlite3* db, const QStringList& tables, JetLoadReport& report);
    void NoteLeftOut(const JetFile& file, JetLoadReport& report) const;

    QString m_path;
    JetLoadOptions m_options;
};
