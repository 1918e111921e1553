#include "TDataSource.h"

#include "TDataLink.h"
#include "TDataSet.h"

#include <algorithm>

namespace {

bool Contains(const std::vector<TDataLink*>& links, TDataLink* link)
{
    return std::find(links.begin(), links.end(), link) != links.end();
}

} // namespace

TDataSource::TDataSource(QObject* owner) : QObject(owner) {}

TDataSource::~TDataSource()
{
    setDataSet(nullptr);
    const std::vector<TDataLink*> links = m_links;
    for (TDataLink* link : links)
        link->setDataSource(nullptr);
    const std::vector<TDataLink*> details = m_details;
    for (TDataLink* link : details)
        link->setDataSource(nullptr);
}

void TDataSource::setDataSet(TDataSet* dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet != nullptr)
        m_dataSet->RemoveSource(this);
    m_dataSet = dataSet;
    if (m_dataSet != nullptr)
        m_dataSet->AddSource(this);
    DataEvent(TDataEvent::ActiveChanged, nullptr);
}

TDataSetState TDataSource::State() const
{
    return m_dataSet != nullptr ? m_dataSet->State() : TDataSetState::dsInactive;
}

void TDataSource::Edit()
{
    if (m_autoEdit && State() == TDataSetState::dsBrowse)
        m_dataSet->Edit();
}

void TDataSource::AddLink(TDataLink* link)
{
    (link->IsDetail() ? m_details : m_links).push_back(link);
}

void TDataSource::RemoveLink(TDataLink* link)
{
    for (auto* list : {&m_details, &m_links})
        list->erase(std::remove(list->begin(), list->end(), link), list->end());
}

void TDataSource::DataEvent(TDataEvent event, TField* field)
{
    // Links may come and go while they are told; each one still attached hears the notice once.
    const std::vector<TDataLink*> details = m_details;
    for (TDataLink* link : details) {
        if (Contains(m_details, link))
            Notify(link, event, field);
    }
    const std::vector<TDataLink*> links = m_links;
    for (auto it = links.rbegin(); it != links.rend(); ++it) {
        if (Contains(m_links, *it))
            Notify(*it, event, field);
    }
}

void TDataSource::Notify(TDataLink* link, TDataEvent event, TField* field)
{
    switch (event) {
    case TDataEvent::ActiveChanged:
        link->ActiveChanged();
        break;
    case TDataEvent::RecordMoved:
        link->RecordMoved();
        break;
    case TDataEvent::DataSetChanged:
        link->DataSetChanged();
        break;
    case TDataEvent::RecordChanged:
        link->RecordChanged(field);
        break;
    case TDataEvent::StateChanged:
        link->StateChanged();
        break;
    case TDataEvent::UpdateData:
        link->UpdateData();
        break;
    case TDataEvent::CheckBrowseMode:
        link->CheckBrowseMode();
        break;
    }
}
