#pragma once

#include "TDataSetState.h"

class TDataSet;
class TDataSource;
class TField;

// A link from a control (or a detail dataset) to a data source; it receives every notice the data
// source publishes. Destroying the link detaches it.
class TDataLink
{
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return m_source; }
    // Attaches to a data source; attaching to an open dataset counts as its opening.
    void setDataSource(TDataSource* source);
    TDataSet* DataSet() const;
    // True while the data source's dataset is open.
    bool Active() const;
    // Asks the data source to start editing; true when the dataset is editing or inserting afterwards.
    bool Edit();

protected:
    friend class TDataSource;
    // A detail link hears the notices before the controls do.
    virtual bool IsDetail() const { return false; }
    virtual void ActiveChanged() {}
    virtual void RecordMoved() {}
    virtual void DataSetChanged() {}
    virtual void RecordChanged(TField*) {}
    virtual void StateChanged() {}
    virtual void UpdateData() {}
    virtual void CheckBrowseMode() {}

private:
    TDataSource* m_source = nullptr;
};
