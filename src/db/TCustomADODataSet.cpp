#include "TCustomADODataSet.h"

#include "Exceptions.h"
#include "SqliteProvider.h"
#include "TADOConnection.h"

TCustomADODataSet::TCustomADODataSet(QObject* owner) : TDataSet(owner) {}

TResultSet TCustomADODataSet::InternalOpen()
{
    if (m_connection == nullptr)
        Fail(QStringLiteral("Missing Connection or ConnectionString"));
    TResultSet result = m_connection->ReadResult(CommandText());
    m_layout.fields = result.fields;
    m_layout.baseTable = result.baseTable;
    m_layout.keyField = result.keyField;
    m_layout.updatable = result.updatable;
    return result;
}

void TCustomADODataSet::InternalClose()
{
    m_layout = TResultSet();
}

RowData TCustomADODataSet::InternalPost(const RowData* original, const Values& values,
                                        const std::vector<int>& changed)
{
    SqliteDatabase& db = m_connection->Database();
    if (original == nullptr)
        return SqliteProvider::InsertRow(db, m_layout, values, changed);
    return SqliteProvider::UpdateRow(db, m_layout, *original, values, changed);
}

void TCustomADODataSet::InternalDelete(const RowData& row)
{
    SqliteProvider::DeleteRow(m_connection->Database(), m_layout, row);
}
