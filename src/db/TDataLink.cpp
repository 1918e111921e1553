#include "TDataLink.h"

#include "DataModules.h"
#include "TDataSet.h"
#include "TDataSource.h"

TDataLink::~TDataLink()
{
    DataModules::ForgetReference(this);
    if (m_source != nullptr)
        m_source->RemoveLink(this);
}

void TDataLink::setDataSource(TDataSource* source)
{
    if (source == m_source)
        return;
    if (m_source != nullptr)
        m_source->RemoveLink(this);
    m_source = source;
    if (m_source != nullptr)
        m_source->AddLink(this);
    ActiveChanged();
}

TDataSet* TDataLink::DataSet() const
{
    return m_source != nullptr ? m_source->DataSet() : nullptr;
}

bool TDataLink::Active() const
{
    const TDataSet* dataSet = DataSet();
    return dataSet != nullptr && dataSet->Active();
}

bool TDataLink::Edit()
{
    if (m_source != nullptr)
        m_source->Edit();
    const TDataSet* dataSet = DataSet();
    return dataSet != nullptr &&
           (dataSet->State() == TDataSetState::dsEdit || dataSet->State() == TDataSetState::dsInsert);
}
