#pragma once

#include "RowData.h"
#include "TDataSetState.h"
#include "TField.h"
#include "TResultSet.h"

#include <QObject>

#include <memory>
#include <optional>
#include <vector>

class TDataSource;

// A static, client-side result with one current record: moves, record numbers, end flags, fields
// made from the result's columns, and editing that writes each posted change at once. The storage
// behind it is the business of a subclass (the provider hooks below).
class TDataSet : public QObject
{
    Q_OBJECT

public:
    explicit TDataSet(QObject* owner = nullptr);
    ~TDataSet() override;

    bool Active() const { return m_state != TDataSetState::dsInactive; }
    // Setting the value the dataset already has does nothing.
    void setActive(bool active);
    void Open();
    // Settles a pending change first (a failing post stops the close), then closes.
    void Close();
    TDataSetState State() const { return m_state; }

    bool IsEmpty() const;
    int RecordCount() const;
    // The 1-based position of the current record (of the row being read, while a list reads one);
    // -1 while the dataset holds no record or is inserting.
    int RecNo() const;
    void setRecNo(int recNo);
    // True while setRecNo moves: lists then show the new current record in their middle row.
    bool GoingToRecNo() const { return m_goingToRecNo; }
    bool Eof() const;
    bool Bof() const;
    void First();
    void Last();
    void Next();
    void Prior();
    // Moves forward (n > 0) or back as far as records exist; gives the number of records moved.
    int MoveBy(int n);

    int FieldCount() const { return int(m_fields.size()); }
    TField* Fields(int index) const { return m_fields.at(std::size_t(index)).get(); }
    TField* FindField(const QString& name) const;
    // As FindField, but a missing field is an error.
    TField* FieldByName(const QString& name) const;

    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    // Settles a pending change: controls write back, then the change is posted when any value differs
    // from what was read, and dropped otherwise.
    void CheckBrowseMode();
    bool CanModify() const { return Active() && m_updatable; }
    bool Modified() const { return m_modified; }

    // The master data source: before its dataset moves or changes, this dataset settles its own change.
    TDataSource* DataSource() const;
    void setDataSource(TDataSource* source);

    // Rows as a list shows them: the records, and a new record being inserted.
    int RowCount() const { return int(m_rows.size()); }
    // The 0-based row of the current record, -1 when there is none.
    int CurrentRow() const { return m_current; }

    // Makes a row the active record for reading, without a move or a notice, while the object lives.
    class RowReader
    {
    public:
        RowReader(const TDataSet& dataSet, int row);
        ~RowReader();
        RowReader(const RowReader&) = delete;
        RowReader& operator=(const RowReader&) = delete;

    private:
        const TDataSet& m_dataSet;
        bool m_wasReading;
        int m_previousRow;
    };

    // The value of a field in the active record; used by TField.
    std::optional<QString> FieldValue(int index) const;
    void SetFieldValue(int index, std::optional<QString> value);

protected:
    using Values = std::vector<std::optional<QString>>;

    // Reads the whole result; raises when it cannot.
    virtual TResultSet InternalOpen() = 0;
    virtual void InternalClose() {}
    // Writes a changed row (original is null for a new one) and gives the row as it is now stored.
    virtual RowData InternalPost(const RowData* original, const Values& values,
                                 const std::vector<int>& changed) = 0;
    virtual void InternalDelete(const RowData& row) = 0;

    // An error whose text starts with the dataset's name.
    [[noreturn]] void Fail(const QString& text) const;
    void CheckActive() const;
    // Closes without settling: nothing is written.
    void CloseDroppingChanges() noexcept;

private:
    friend class TDataSource;
    class MasterLink;

    void AddSource(TDataSource* source);
    void RemoveSource(TDataSource* source);
    void Notify(TDataEvent event, TField* field = nullptr);
    void SetState(TDataSetState state);
    int ActiveRow() const { return m_reading ? m_readRow : m_current; }
    void InsertAt(int row, int currentAfterCancel);
    std::vector<int> ChangedFields() const;
    // Forgets the change of the current record and tells the controls that browsing goes on.
    void EndChange();
    // Moves to a row, with the flags given, telling the controls when the current record changed.
    void MoveTo(int row, bool bof, bool eof);

    TDataSetState m_state = TDataSetState::dsInactive;
    std::vector<std::unique_ptr<TField>> m_fields;
    // Declared before the rows, whose memory it holds, so that it goes after them.
    std::shared_ptr<RowArena> m_arena;
    std::vector<RowData> m_rows;
    bool m_updatable = false;
    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;
    mutable bool m_reading = false;
    mutable int m_readRow = -1;
    Values m_buffer;
    Values m_original;
    bool m_modified = false;
    int m_rowBeforeInsert = -1;
    bool m_goingToRecNo = false;
    std::vector<TDataSource*> m_sources;
    std::unique_ptr<MasterLink> m_masterLink;
};
