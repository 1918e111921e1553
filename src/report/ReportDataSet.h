#pragma once

#include <QString>

// What the report engine needs of the dataset it walks: one detail band per record.
class ReportDataSet
{
public:
    virtual ~ReportDataSet() = default;

    virtual bool IsOpen() const = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual bool Eof() const = 0;
    // May throw when the count cannot be read.
    virtual int RecordCount() const = 0;
    // Whether the dataset has a long-text (memo or blob) field of this name; false while it is closed.
    virtual bool FindMemoField(const QString& name) const = 0;
    // The current record's value of that field, as text (RTF stays the characters it is written in).
    virtual QString FieldText(const QString& name) const = 0;
};
