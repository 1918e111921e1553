#pragma once

#include <QFlags>

// The draw state of a grid cell: the current cell, the current cell of a focused grid, a title or
// indicator cell.
enum class TGridDrawStateFlag
{
    gdSelected = 1,
    gdFocused = 2,
    gdFixed = 4
};
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)
