#pragma once

enum class TDataSetState
{
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert
};

// What a data source tells the links attached to it.
enum class TDataEvent
{
    ActiveChanged,   // the dataset opened or closed
    RecordMoved,     // another record became current
    DataSetChanged,  // rows were added, removed, written or restored
    RecordChanged,   // a field of the current record was given a value
    StateChanged,    // browsing, editing or inserting began
    UpdateData,      // controls write their typed text into their fields
    CheckBrowseMode, // the master dataset is about to move or change: details settle their changes
};
