#include "TADOTable.h"

TADOTable::TADOTable(QObject* owner) : TCustomADODataSet(owner) {}

void TADOTable::setTableName(const QString& name)
{
    if (name == m_tableName)
        return;
    Close();
    m_tableName = name;
}

QString TADOTable::CommandText() const
{
    QString quoted = m_tableName;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QStringLiteral("SELECT * FROM \"%1\"").arg(quoted);
}
