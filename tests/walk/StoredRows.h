#pragma once

#include <QString>

#include <array>
#include <map>

// The entries of Table1 as another program reads them: key, then title, question, answer, sources.
// A null value is a null QString, which compares equal to empty text.
using Entry = std::array<QString, 4>;
using StoredRows = std::map<qint64, Entry>;

StoredRows ReadStoredRows(const QString& path);

// The four fields of an entry, in the order of Entry.
extern const std::array<const char*, 4> EntryFields;
