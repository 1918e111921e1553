#pragma once

// The kinds of value a field holds. Short text has a declared length; long text has none.
enum class TFieldType
{
    ftString,
    ftMemo,
    ftInteger,
    ftFloat,
    ftBlob
};
