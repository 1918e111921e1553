#pragma once

#include "ReportDataSet.h"

class TDataSet;

// Lets the report walk a dataset of the store: its moves, its record count and its long-text fields.
class DataSetReportSource : public ReportDataSet
{
public:
    explicit DataSetReportSource(TDataSet& dataSet) : m_dataSet(dataSet) {}

    bool IsOpen() const override;
    void First() override;
    void Next() override;
    bool Eof() const override;
    int RecordCount() const override;
    bool FindMemoField(const QString& name) const override;
    QString FieldText(const QString& name) const override;

private:
    TDataSet& m_dataSet;
};
