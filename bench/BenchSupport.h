#pragma once

#include "TADOConnection.h"
#include "TADOTable.h"

#include <QString>

#include <functional>
#include <vector>

// The browse dataset over a collection file, not yet open, with its connection open.
struct BrowseDataSet
{
    explicit BrowseDataSet(const QString& path);

    TADOConnection connection;
    TADOTable table;
};

// The file of a generated collection in the cache folder ($VELNORA_BENCH_CACHE, else a folder in the
// system's temporary folder), written the first time it is asked for.
QString CachedCollection(int entries, int averageBytes);

// The median, in milliseconds, of several timed runs of the work.
double MedianMs(int runs, const std::function<void()>& work);
// The median of figures taken.
double Median(std::vector<double> values);

// How long the sqlite3 shell takes to read every entry of a collection file once, with
// "SELECT * FROM Query1", its output thrown away.
double ShellReadMs(const QString& path);
// Bytes of UTF-8 text in a collection's entries, every field counted.
qint64 TextBytes(const QString& path);

// Prints one figure: "name: value unit (goal: goal)". When $VELNORA_BENCH_RESULTS names a file, the
// figure is also appended to it as one line of tab-separated fields: program, name, value, unit, goal.
void Report(const QString& name, double value, const QString& unit, const QString& goal);

// The process's resident memory now and at its peak, in bytes.
qint64 ResidentBytes();
qint64 PeakResidentBytes();
