#pragma once

#include <QString>

// Rewrites a Jet SQL expression (a column, a condition, an ORDER BY term) for SQLite: [names] and
// bare names become "names", "text" and 'text' become 'text', & becomes ||, and the * and ? of a
// LIKE pattern become % and _. Anything beyond plain names, literals, comparisons, arithmetic and
// AND/OR/NOT/IS/NULL/LIKE/IN/BETWEEN (a function call, a #date#, a Forms! reference, a ? parameter) cannot be
// carried: the result is then empty and `reason` says why.
QString TranslateJetExpression(const QString& jet, QString* reason);
