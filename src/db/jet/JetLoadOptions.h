#pragma once

#include <QList>
#include <QString>

#include <functional>

// How a Jet file is carried into SQLite.
struct JetLoadOptions
{
    // The stored query that becomes the view Query1 when it can be translated.
    QString browseQuery = QStringLiteral("Query1");

    // Give every table without a primary key an integer key column, so that a native store can find
    // its rows (the importer asks for this; the read-only view of a Jet file does not).
    bool addKeys = false;

    // What is not read at all, because reading it crashed the helper before: a column of a table, or
    // a whole table where the column is empty.
    struct Place
    {
        QString table;
        QString column;
        bool operator==(const Place& other) const { return table == other.table && column == other.column; }
    };
    QList<Place> leaveOut;

    // Called now and then while rows are read: rows copied so far, rows declared by all tables.
    std::function<void(qint64 done, qint64 total)> progress;
};
