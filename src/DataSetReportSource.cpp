#include "DataSetReportSource.h"

#include "TDataSet.h"

bool DataSetReportSource::IsOpen() const
{
    return m_dataSet.Active();
}

void DataSetReportSource::First()
{
    m_dataSet.First();
}

void DataSetReportSource::Next()
{
    m_dataSet.Next();
}

bool DataSetReportSource::Eof() const
{
    return m_dataSet.Eof();
}

int DataSetReportSource::RecordCount() const
{
    return m_dataSet.RecordCount();
}

bool DataSetReportSource::FindMemoField(const QString& name) const
{
    const TField* field = m_dataSet.Active() ? m_dataSet.FindField(name) : nullptr;
    return field != nullptr && field->IsBlob();
}

QString DataSetReportSource::FieldText(const QString& name) const
{
    const TField* field = m_dataSet.Active() ? m_dataSet.FindField(name) : nullptr;
    return field != nullptr ? field->AsString() : QString();
}
