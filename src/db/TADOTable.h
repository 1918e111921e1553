#pragma once

#include "TCustomADODataSet.h"

// All rows and columns of one table or stored query of the file.
class TADOTable : public TCustomADODataSet
{
    Q_OBJECT

public:
    explicit TADOTable(QObject* owner = nullptr);

    const QString& TableName() const { return m_tableName; }
    // Changing the name of an open dataset closes it.
    void setTableName(const QString& name);

protected:
    QString CommandText() const override;

private:
    QString m_tableName;
};
