#pragma once

#include "TDataLink.h"

#include <QString>

#include <functional>

class QObject;

// The link of a control that shows one field: it finds the field whenever the dataset opens and
// tells the control when to show the record again, when editing starts or ends, and when to write its
// typed text back into the field.
class TFieldDataLink : public TDataLink
{
public:
    // The control names the link's errors.
    explicit TFieldDataLink(QObject* control);

    const QString& FieldName() const { return m_fieldName; }
    // Looks the field up again when the dataset is open; a missing field raises.
    void setFieldName(const QString& name);
    // The field found, none while the dataset is closed or has no such column.
    TField* Field() const { return m_field; }
    // True while the dataset is editing or inserting.
    bool Editing() const;
    // Whether the field can be changed now or after starting to edit.
    bool CanModify() const;

    std::function<void()> OnDataChange;
    std::function<void()> OnEditingChange;
    std::function<void()> OnUpdateData;

protected:
    void ActiveChanged() override;
    void RecordMoved() override { DataChanged(); }
    void DataSetChanged() override { DataChanged(); }
    void RecordChanged(TField* field) override;
    void StateChanged() override;
    void UpdateData() override;

private:
    void FindField();
    void DataChanged();

    QObject* m_control;
    QString m_fieldName;
    TField* m_field = nullptr;
};
