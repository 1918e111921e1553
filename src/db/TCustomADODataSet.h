#pragma once

#include "TDataSet.h"

class TADOConnection;

// A dataset whose rows come from the connection's file: the whole result of its command is read at
// once, and posted changes are written through to the table the result comes from.
class TCustomADODataSet : public TDataSet
{
    Q_OBJECT

public:
    explicit TCustomADODataSet(QObject* owner = nullptr);

    TADOConnection* Connection() const { return m_connection; }
    void setConnection(TADOConnection* connection) { m_connection = connection; }

protected:
    // The statement whose result the dataset holds.
    virtual QString CommandText() const = 0;

    TResultSet InternalOpen() override;
    void InternalClose() override;
    RowData InternalPost(const RowData* original, const Values& values,
                         const std::vector<int>& changed) override;
    void InternalDelete(const RowData& row) override;

private:
    TADOConnection* m_connection = nullptr;
    // The result's columns and where they are written.
    TResultSet m_layout;
};
