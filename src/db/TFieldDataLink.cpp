#include "TFieldDataLink.h"

#include "Exceptions.h"
#include "TDataSet.h"

#include <QObject>

TFieldDataLink::TFieldDataLink(QObject* control) : m_control(control) {}

void TFieldDataLink::setFieldName(const QString& name)
{
    if (name == m_fieldName)
        return;
    m_fieldName = name;
    ActiveChanged();
}

bool TFieldDataLink::Editing() const
{
    const TDataSet* dataSet = DataSet();
    return dataSet != nullptr &&
           (dataSet->State() == TDataSetState::dsEdit || dataSet->State() == TDataSetState::dsInsert);
}

bool TFieldDataLink::CanModify() const
{
    return m_field != nullptr && m_field->CanModify();
}

void TFieldDataLink::ActiveChanged()
{
    m_field = nullptr;
    if (Active() && !m_fieldName.isEmpty())
        FindField();
    DataChanged();
    if (OnEditingChange)
        OnEditingChange();
}

void TFieldDataLink::FindField()
{
    m_field = DataSet()->FindField(m_fieldName);
    if (m_field == nullptr) {
        DataChanged();
        throw EDatabaseError(m_control->objectName() +
                             QStringLiteral(": Field '%1' not found").arg(m_fieldName));
    }
}

void TFieldDataLink::RecordChanged(TField* field)
{
    if (field == nullptr || field == m_field)
        DataChanged();
}

void TFieldDataLink::StateChanged()
{
    if (OnEditingChange)
        OnEditingChange();
}

void TFieldDataLink::UpdateData()
{
    if (OnUpdateData)
        OnUpdateData();
}

void TFieldDataLink::DataChanged()
{
    if (OnDataChange)
        OnDataChange();
}
