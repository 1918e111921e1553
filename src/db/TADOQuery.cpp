#include "TADOQuery.h"

TADOQuery::TADOQuery(QObject* owner) : TCustomADODataSet(owner)
{
    m_sql.setOnChanging([this] { Close(); });
    m_sql.setOnChange([this] { m_commandText = m_sql.Text(); });
}
