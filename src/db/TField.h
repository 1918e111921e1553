#pragma once

#include "TFieldDef.h"

#include <QString>

#include <optional>

class TDataSet;

// One column of an open dataset; its value is that of the dataset's active record (the current
// record, or the row a list is painting).
class TField
{
public:
    TField(TDataSet* dataSet, int index, TFieldDef def);

    TDataSet* DataSet() const { return m_dataSet; }
    int Index() const { return m_index; }
    const QString& FieldName() const { return m_def.name; }
    TFieldType DataType() const { return m_def.type; }
    bool IsBlob() const { return m_def.type == TFieldType::ftMemo || m_def.type == TFieldType::ftBlob; }
    // The declared length in characters of short text; 0 for other kinds.
    int Size() const { return m_def.size; }
    // Width in characters that lists give the field.
    int DisplayWidth() const;
    const TFieldDef& Def() const { return m_def; }

    bool IsNull() const;
    // The whole value as text; empty for a null.
    QString AsString() const;
    // Sets the value of the record being edited or inserted; the dataset must be in one of those states.
    void setAsString(const QString& value);
    void Clear();
    // What lists and title lines show: the text itself, or for long text a marker of its kind.
    QString DisplayText() const;
    bool CanModify() const;

private:
    void SetValue(std::optional<QString> value);

    TDataSet* m_dataSet;
    int m_index;
    TFieldDef m_def;
};
