#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a load carried over, and what it could not.
struct JetLoadReport
{
    struct Table
    {
        QString name;
        qint64 rows = 0;
    };

    QList<Table> tables;      // every user table copied, with the rows read from the Jet file
    bool browseQuery = false; // the view Query1 was made from the stored query
    QStringList notCarried;   // one English sentence per thing left behind
};
