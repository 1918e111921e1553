#include "TDataSet.h"

#include "Exceptions.h"
#include "TDataLink.h"
#include "TDataSource.h"

#include <algorithm>

// The link by which a detail dataset hears of its master's moves and changes.
class TDataSet::MasterLink : public TDataLink
{
public:
    explicit MasterLink(TDataSet& detail) : m_detail(detail) {}

protected:
    bool IsDetail() const override { return true; }
    void CheckBrowseMode() override
    {
        if (m_detail.Active())
            m_detail.CheckBrowseMode();
    }

private:
    TDataSet& m_detail;
};

TDataSet::TDataSet(QObject* owner) : QObject(owner) {}

TDataSet::~TDataSet()
{
    CloseDroppingChanges();
    m_masterLink.reset();
    const std::vector<TDataSource*> sources = m_sources;
    for (TDataSource* source : sources)
        source->setDataSet(nullptr);
}

void TDataSet::Fail(const QString& text) const
{
    throw EDatabaseError(objectName() + QStringLiteral(": ") + text);
}

void TDataSet::CheckActive() const
{
    if (!Active())
        Fail(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void TDataSet::setActive(bool active)
{
    if (active)
        Open();
    else
        Close();
}

void TDataSet::Open()
{
    if (Active())
        return;
    TResultSet result = InternalOpen();
    m_fields.clear();
    for (std::size_t i = 0; i < result.fields.size(); ++i)
        m_fields.push_back(std::make_unique<TField>(this, int(i), std::move(result.fields[i])));
    m_rows = std::move(result.rows);
    m_arena = std::move(result.arena);
    m_updatable = result.updatable;
    m_current = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    m_modified = false;
    m_state = TDataSetState::dsBrowse;
    Notify(TDataEvent::ActiveChanged);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    CheckBrowseMode();
    CloseDroppingChanges();
}

void TDataSet::CloseDroppingChanges() noexcept
{
    if (!Active())
        return;
    m_state = TDataSetState::dsInactive;
    m_modified = false;
    try {
        Notify(TDataEvent::ActiveChanged);
    } catch (...) {
        // Controls only forget their fields on a close; nothing they do can stop it.
    }
    m_rows.clear();
    m_arena.reset();
    m_fields.clear();
    m_buffer.clear();
    m_original.clear();
    m_current = -1;
    m_bof = m_eof = true;
    InternalClose();
}

bool TDataSet::IsEmpty() const
{
    return m_rows.empty();
}

int TDataSet::RecordCount() const
{
    CheckActive();
    return int(m_rows.size()) - (m_state == TDataSetState::dsInsert ? 1 : 0);
}

int TDataSet::RecNo() const
{
    CheckActive();
    const int row = ActiveRow();
    if (m_state == TDataSetState::dsInsert || row < 0 || row >= int(m_rows.size()))
        return -1;
    return row + 1;
}

bool TDataSet::Eof() const
{
    return m_eof;
}

bool TDataSet::Bof() const
{
    return m_bof;
}

void TDataSet::MoveTo(int row, bool bof, bool eof)
{
    const bool moved = row != m_current;
    m_current = row;
    m_bof = bof;
    m_eof = eof;
    if (moved)
        Notify(TDataEvent::RecordMoved);
}

void TDataSet::First()
{
    CheckActive();
    CheckBrowseMode();
    MoveTo(m_rows.empty() ? -1 : 0, true, m_rows.empty());
}

void TDataSet::Last()
{
    CheckActive();
    CheckBrowseMode();
    MoveTo(int(m_rows.size()) - 1, m_rows.empty(), true);
}

void TDataSet::Next()
{
    MoveBy(1);
}

void TDataSet::Prior()
{
    MoveBy(-1);
}

int TDataSet::MoveBy(int n)
{
    CheckActive();
    CheckBrowseMode();
    if (n == 0)
        return 0;
    const int last = int(m_rows.size()) - 1;
    if (n > 0) {
        if (m_eof)
            return 0;
        const int steps = std::min(n, last - m_current);
        MoveTo(m_current + steps, steps > 0 ? false : m_bof, steps < n);
        return steps;
    }
    if (m_bof)
        return 0;
    const int steps = std::min(-n, std::max(m_current, 0));
    MoveTo(m_current - steps, steps<-n, steps> 0 ? false : m_eof);
    return -steps;
}

void TDataSet::setRecNo(int recNo)
{
    CheckActive();
    if (recNo == RecNo())
        return;
    CheckBrowseMode();
    if (m_rows.empty())
        return;
    const int row = std::clamp(recNo, 1, int(m_rows.size())) - 1;
    m_goingToRecNo = true;
    try {
        MoveTo(row, false, false);
    } catch (...) {
        m_goingToRecNo = false;
        throw;
    }
    m_goingToRecNo = false;
}

TField* TDataSet::FindField(const QString& name) const
{
    for (const auto& field : m_fields) {
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    }
    return nullptr;
}

TField* TDataSet::FieldByName(const QString& name) const
{
    TField* field = FindField(name);
    if (field == nullptr)
        Fail(QStringLiteral("Field '%1' not found").arg(name));
    return field;
}

std::optional<QString> TDataSet::FieldValue(int index) const
{
    const int row = ActiveRow();
    if (row < 0 || row >= int(m_rows.size()))
        return std::nullopt;
    if (row == m_current && (m_state == TDataSetState::dsEdit || m_state == TDataSetState::dsInsert))
        return m_buffer.at(std::size_t(index));
    return m_rows[std::size_t(row)].OptionalValue(index);
}

void TDataSet::SetFieldValue(int index, std::optional<QString> value)
{
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        Fail(QStringLiteral("Dataset not in edit or insert mode"));
    m_buffer.at(std::size_t(index)) = std::move(value);
    m_modified = true;
    Notify(TDataEvent::RecordChanged, m_fields.at(std::size_t(index)).get());
}

void TDataSet::SetState(TDataSetState state)
{
    if (state == m_state)
        return;
    m_state = state;
    Notify(TDataEvent::StateChanged);
}

void TDataSet::Edit()
{
    CheckActive();
    if (m_state == TDataSetState::dsEdit || m_state == TDataSetState::dsInsert)
        return;
    if (!CanModify())
        Fail(QStringLiteral("Cannot modify a read-only dataset"));
    if (m_rows.empty()) {
        Insert();
        return;
    }
    Notify(TDataEvent::CheckBrowseMode);
    m_buffer = m_rows[std::size_t(m_current)].Values();
    m_original = m_buffer;
    m_modified = false;
    SetState(TDataSetState::dsEdit);
}

void TDataSet::Insert()
{
    CheckActive();
    CheckBrowseMode();
    const int row = std::max(m_current, 0);
    InsertAt(row, m_rows.empty() ? -1 : row);
}

void TDataSet::Append()
{
    CheckActive();
    CheckBrowseMode();
    InsertAt(int(m_rows.size()), m_current);
}

void TDataSet::InsertAt(int row, int currentAfterCancel)
{
    if (!CanModify())
        Fail(QStringLiteral("Cannot modify a read-only dataset"));
    Notify(TDataEvent::CheckBrowseMode);
    m_buffer.assign(m_fields.size(), std::nullopt);
    m_original = m_buffer;
    m_rows.insert(m_rows.begin() + row, RowData::FromValues(m_buffer));
    m_rowBeforeInsert = currentAfterCancel;
    m_current = row;
    m_bof = m_eof = false;
    m_modified = false;
    m_state = TDataSetState::dsInsert;
    Notify(TDataEvent::DataSetChanged);
    Notify(TDataEvent::StateChanged);
}

std::vector<int> TDataSet::ChangedFields() const
{
    std::vector<int> changed;
    for (std::size_t i = 0; i < m_buffer.size(); ++i) {
        const bool differs = m_state == TDataSetState::dsInsert
                                 ? m_buffer[i].has_value() && !m_buffer[i]->isEmpty()
                                 : m_buffer[i] != m_original[i];
        if (differs)
            changed.push_back(int(i));
    }
    return changed;
}

void TDataSet::Post()
{
    CheckActive();
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        return;
    Notify(TDataEvent::UpdateData);
    Notify(TDataEvent::CheckBrowseMode);
    const std::vector<int> changed = ChangedFields();
    if (m_state == TDataSetState::dsEdit && changed.empty()) {
        EndChange();
        return;
    }
    const bool inserting = m_state == TDataSetState::dsInsert;
    RowData stored = InternalPost(inserting ? nullptr : &m_rows[std::size_t(m_current)], m_buffer, changed);
    m_rows[std::size_t(m_current)] = std::move(stored);
    EndChange();
}

void TDataSet::Cancel()
{
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        return;
    Notify(TDataEvent::CheckBrowseMode);
    if (m_state == TDataSetState::dsInsert) {
        m_rows.erase(m_rows.begin() + m_current);
        m_current = m_rowBeforeInsert;
        m_bof = m_rows.empty();
        m_eof = m_rows.empty();
    }
    EndChange();
}

void TDataSet::Delete()
{
    CheckActive();
    if (m_state == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (m_rows.empty())
        Fail(QStringLiteral("Cannot perform this operation on an empty dataset"));
    if (!CanModify())
        Fail(QStringLiteral("Cannot modify a read-only dataset"));
    Notify(TDataEvent::CheckBrowseMode);
    InternalDelete(m_rows[std::size_t(m_current)]);
    m_rows.erase(m_rows.begin() + m_current);
    m_current = std::min(m_current, int(m_rows.size()) - 1);
    m_bof = m_rows.empty();
    m_eof = m_rows.empty();
    EndChange();
}

void TDataSet::EndChange()
{
    m_buffer.clear();
    m_original.clear();
    m_modified = false;
    SetState(TDataSetState::dsBrowse);
    Notify(TDataEvent::DataSetChanged);
}

void TDataSet::CheckBrowseMode()
{
    CheckActive();
    Notify(TDataEvent::CheckBrowseMode);
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        return;
    Notify(TDataEvent::UpdateData);
    if (ChangedFields().empty())
        Cancel();
    else
        Post();
}

TDataSource* TDataSet::DataSource() const
{
    return m_masterLink ? m_masterLink->DataSource() : nullptr;
}

void TDataSet::setDataSource(TDataSource* source)
{
    if (!m_masterLink)
        m_masterLink = std::make_unique<MasterLink>(*this);
    m_masterLink->setDataSource(source);
}

void TDataSet::AddSource(TDataSource* source)
{
    m_sources.push_back(source);
}

void TDataSet::RemoveSource(TDataSource* source)
{
    m_sources.erase(std::remove(m_sources.begin(), m_sources.end(), source), m_sources.end());
}

void TDataSet::Notify(TDataEvent event, TField* field)
{
    const std::vector<TDataSource*> sources = m_sources;
    for (TDataSource* source : sources)
        source->DataEvent(event, field);
}

TDataSet::RowReader::RowReader(const TDataSet& dataSet, int row)
    : m_dataSet(dataSet), m_wasReading(dataSet.m_reading), m_previousRow(dataSet.m_readRow)
{
    m_dataSet.m_reading = true;
    m_dataSet.m_readRow = row;
}

TDataSet::RowReader::~RowReader()
{
    m_dataSet.m_reading = m_wasReading;
    m_dataSet.m_readRow = m_previousRow;
}
