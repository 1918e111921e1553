#pragma once

#include <QString>

#include <array>
#include <map>
#include <optional>

// The entries of Table1 as another program reads them: key, then title, question, answer, sources.
// A null value is a null QString and empty text an empty one that is not null: == takes them for one
// value, SameValue tells them apart, as a post's check of what it read does.
using Entry = std::array<QString, 4>;
using StoredRows = std::map<qint64, Entry>;

StoredRows ReadStoredRows(const QString& path);

// A field's value as an Entry holds it: null for NULL, otherwise text that is never null.
QString EntryValue(const std::optional<QString>& value);
bool SameValue(const QString& a, const QString& b);

// The four fields of an entry, in the order of Entry.
extern const std::array<const char*, 4> EntryFields;
