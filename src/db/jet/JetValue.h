#pragma once

#include "MdbApi.h"

#include <QString>

class JetSqlStatement;

// How the columns of a Jet table become SQLite columns, and their values SQLite values.
namespace JetValue {

// The declared SQLite type of a Jet column, or an empty text for a kind that is not carried.
QString DeclaredType(const MdbColumn* column, bool jet4);

// True for the kinds whose value libmdb gives as text in the column's bound buffer.
bool NeedsBinding(const MdbColumn* column);

// Binds the value of `column` in the row just fetched. `bound` is the column's bound text, if any.
void Bind(JetSqlStatement& statement, int index, MdbHandle* mdb, MdbColumn* column, bool isNull,
          const char* bound, int boundLength);

// A Jet date (days since 1899-12-30, the fraction being the time of day) as "YYYY-MM-DD HH:MM:SS".
QString DateText(double value);

// The shortest decimal text that reads back as the same single-precision number.
QString SingleText(float value);

} // namespace JetValue
