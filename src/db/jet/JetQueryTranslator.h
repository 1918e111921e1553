#pragma once

#include "JetStoredQuery.h"

#include <QStringList>

// Turns a stored query into an SQLite SELECT when it is a simple one: a select query over one table,
// with output columns (or *), optionally DISTINCT, WHERE and ORDER BY. Anything else (joins, GROUP
// BY, parameters, action, union, pass-through and definition queries, or an expression that
// cannot be carried) gives an empty text and, in `reason`, why.
QString TranslateStoredQuery(const QList<JetQueryRow>& rows, const QStringList& tables, QString* reason);
