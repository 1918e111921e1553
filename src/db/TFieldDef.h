#pragma once

#include "TFieldType.h"

#include <QString>

// What a result tells of one of its columns: name, kind, declared length and where it comes from.
struct TFieldDef
{
    QString name;
    TFieldType type = TFieldType::ftMemo;
    int size = 0;
    QString baseTable;
    QString baseColumn;
    bool isKey = false;
};

// The kind and length of a column from its declared type: a length makes short text ("VARCHAR(255)",
// "TEXT(50)"); TEXT, MEMO, LONGTEXT and CLOB without one are long text.
void ApplyDeclaredType(TFieldDef& def, const QString& declaredType);
