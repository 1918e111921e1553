#pragma once

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

    // Called now and then while rows are read: rows copied so far, rows declared by all tables.
    std::function<void(qint64 done, qint64 total)> progress;
};
