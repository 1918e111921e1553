#pragma once

#include "TDataLink.h"

#include <functional>

// The link of a list: each notice becomes a call of the list.
class TGridDataLink : public TDataLink
{
public:
    std::function<void()> OnActiveChanged;
    std::function<void()> OnRecordMoved;
    std::function<void()> OnDataSetChanged;
    std::function<void(TField*)> OnRecordChanged;
    std::function<void()> OnStateChanged;
    std::function<void()> OnUpdateData;

protected:
    void ActiveChanged() override { Call(OnActiveChanged); }
    void RecordMoved() override { Call(OnRecordMoved); }
    void DataSetChanged() override { Call(OnDataSetChanged); }
    void RecordChanged(TField* field) override
    {
        if (OnRecordChanged)
            OnRecordChanged(field);
    }
    void StateChanged() override { Call(OnStateChanged); }
    void UpdateData() override { Call(OnUpdateData); }

private:
    static void Call(const std::function<void()>& handler)
    {
        if (handler)
            handler();
    }
};
