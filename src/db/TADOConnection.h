#pragma once

#include "SearchIndex.h"
#include "SqliteDatabase.h"
#include "WholeTableReads.h"

#include <QObject>

// The connection to the database file named by the connection string's "Data Source", taken relative
// to the working folder. An SQLite file is opened read-write and never created. An Access (Jet 3 or
// Jet 4) file is read whole into memory and is read-only: no result over it is updatable. A failed
// open leaves the connection closed; every later need of it tries again. An SQLite file that can be
// written carries an index for the window's searches (SearchIndex).
class TADOConnection : public QObject
{
    Q_OBJECT

public:
    explicit TADOConnection(QObject* owner = nullptr);
    ~TADOConnection() override;

    const QString& ConnectionString() const { return m_connectionString; }
    void setConnectionString(const QString& text) { m_connectionString = text; }
    // Sharing mode: other processes may always read and write the file at the same time.
    int Mode() const { return m_mode; }
    void setMode(int mode) { m_mode = mode; }
    bool LoginPrompt() const { return m_loginPrompt; }
    void setLoginPrompt(bool prompt) { m_loginPrompt = prompt; }

    bool Connected() const { return m_db.IsOpen(); }
    void setConnected(bool connected);
    void Open();
    void Close();
    // Opens the connection when it is closed; raises EOleException when that fails.
    SqliteDatabase& Database();

    // The whole result of a statement: a search through the index where it can answer it, the rows
    // of the last read where the statement reads the same whole table (WholeTableReads).
    TResultSet ReadResult(const QString& sql);
    SearchIndex& Index() { return m_index; }

    // SQL functions installed on the file each time it is opened.
    void SetFunctionInstaller(SqliteDatabase::FunctionInstaller installer);

private:
    QString m_connectionString;
    int m_mode = 0;
    bool m_loginPrompt = true;
    SqliteDatabase m_db;
    SearchIndex m_index;
    WholeTableReads m_wholeTables;
};
