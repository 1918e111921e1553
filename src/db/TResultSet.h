#pragma once

#include "RowArena.h"
#include "RowData.h"
#include "TFieldDef.h"

#include <memory>
#include <vector>

// A whole result as a provider hands it to a dataset.
struct TResultSet
{
    std::vector<TFieldDef> fields;
    // The memory of the rows read; it must outlive them.
    std::shared_ptr<RowArena> arena;
    std::vector<RowData> rows;
    // The table that changes are written to, and the result column that is its key (-1: none).
    QString baseTable;
    int keyField = -1;
    bool updatable = false;
};
