#pragma once

#include "JetLoadOptions.h"
#include "JetLoadReport.h"

#include <QString>

struct sqlite3;

// True when the file carries the signature of a Jet 3 or Jet 4 (Access 97 to 2003) database. Cheap:
// reads the first bytes only; whether the rest can be read is judged by the load.
bool IsJetFile(const QString& path);

// Reads every user table of the Jet file (and the stored query options.browseQuery, as the view
// Query1, when it is a simple SELECT over one table) into `target`, an open and empty SQLite
// database, replacing its contents. Text(n) columns are declared VARCHAR(n), Memo TEXT, whole
// numbers INTEGER, floating numbers REAL, Currency and Decimal NUMERIC, Yes/No INTEGER (0 or 1),
// dates DATETIME holding ISO text "YYYY-MM-DD HH:MM:SS", binary and OLE BLOB. Nothing is ever
// written to the Jet file, and `target` is left query-only: any change to it fails. Throws EOleException with
// a text naming the file and the cause when the file is not a Jet database or cannot be read whole.
void LoadJetDatabase(const QString& path, sqlite3* target, JetLoadReport* report = nullptr,
                     const JetLoadOptions& options = {});

// The same, written into a new SQLite file at sqlitePath (which must not exist or be empty).
void ConvertJetDatabase(const QString& path, const QString& sqlitePath, const JetLoadOptions& options,
                        JetLoadReport* report);
