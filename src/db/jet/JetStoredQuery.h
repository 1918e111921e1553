#pragma once

#include "MdbApi.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A stored query as Jet keeps it: rows of MSysQueries, one clause part a row.
struct JetQueryRow
{
    enum Attribute
    {
        Type = 1,      // flag: 1 select, 2 make-table, 3 append, 4 update, 5 delete, 6 crosstab, 7 DDL,
                       //       8 pass-through, 9 union
        Parameter = 2, // name1: a parameter
        Flags = 3,     // flag: 1 all columns (*), 2 DISTINCT, other bits TOP, DISTINCTROW, owner access
        Table = 5,     // name1: table, name2: alias, expression: a union's part
        Column = 6,    // expression, name1: alias
        Join = 7,
        Where = 8, // expression
        GroupBy = 9,
        Having = 10,
        OrderBy = 11, // expression, name1 "D" for descending
    };

    int attribute = 0;
    QByteArray order; // position within the attribute, compared as bytes
    QString name1;
    QString name2;
    QString expression;
    int flag = 0;
};

// Reads the rows of one stored query in clause order; throws the file's error on failure.
class JetFile;
QList<JetQueryRow> ReadStoredQuery(const JetFile& file, const MdbCatalogEntry* query);
