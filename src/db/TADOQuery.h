#pragma once

#include "TCustomADODataSet.h"
#include "TStrings.h"

// The result of a statement held in the lines of SQL. Changing the lines settles a pending change,
// closes the dataset and takes the new text; a post that fails there stops the change.
class TADOQuery : public TCustomADODataSet
{
    Q_OBJECT

public:
    explicit TADOQuery(QObject* owner = nullptr);

    TStrings& SQL() { return m_sql; }
    const TStrings& SQL() const { return m_sql; }

protected:
    // The lines as they are, each ended by a carriage return and a line feed.
    QString CommandText() const override { return m_commandText; }

private:
    TStrings m_sql;
    QString m_commandText;
};
