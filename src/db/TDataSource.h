#pragma once

#include "TDataSetState.h"

#include <QObject>

#include <vector>

class TDataLink;
class TDataSet;
class TField;

// Publishes one dataset to data-bound controls: every notice of the dataset reaches the attached
// links, a detail dataset's link first, then the controls in the reverse order of their attachment.
class TDataSource : public QObject
{
    Q_OBJECT

public:
    explicit TDataSource(QObject* owner = nullptr);
    ~TDataSource() override;

    TDataSet* DataSet() const { return m_dataSet; }
    void setDataSet(TDataSet* dataSet);
    // Whether a control that starts changing a value puts the dataset into editing by itself.
    bool AutoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool autoEdit) { m_autoEdit = autoEdit; }
    TDataSetState State() const;

    // Starts editing the current record when AutoEdit is on and the dataset is browsing.
    void Edit();

private:
    friend class TDataLink;
    friend class TDataSet;
    void AddLink(TDataLink* link);
    void RemoveLink(TDataLink* link);
    void DataEvent(TDataEvent event, TField* field);
    void Notify(TDataLink* link, TDataEvent event, TField* field);

    TDataSet* m_dataSet = nullptr;
    bool m_autoEdit = true;
    std::vector<TDataLink*> m_details;
    std::vector<TDataLink*> m_links;
};
