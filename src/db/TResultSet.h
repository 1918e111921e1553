#pragma once

#include "RowData.h"
#include "TFieldDef.h"

#include <vector>

// A whole result as a provider hands it to a dataset.
struct TResultSet
{
    std::vector<TFieldDef> fields;
    std::vector<RowData> rows;
    // The table that changes are written to, and the result column that is its key (-1: none).
    QString baseTable;
    int keyField = -1;
    bool updatable = false;
};
