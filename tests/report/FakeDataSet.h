#pragma once

#include "ReportDataSet.h"

#include <QHash>
#include <QStringList>
#include <QVector>

#include <functional>

// A dataset of entries held in memory, standing in for the search dataset.
class FakeDataSet : public ReportDataSet
{
public:
    using Record = QHash<QString, QString>;

    FakeDataSet() = default;
    explicit FakeDataSet(QVector<Record> records) : m_records(std::move(records)) {}

    // An entry with the three long-text fields of the collection.
    static Record Entry(const QString& question, const QString& answer, const QString& sources);
    // Entries of generated text, numbered from 1.
    static QVector<Record> Entries(int count);

    void SetRecords(QVector<Record> records);
    void SetOpen(bool open) { m_open = open; }
    void SetCountFails(bool fails) { m_countFails = fails; }
    // Called after each move to the next record.
    std::function<void(int position)> AfterNext;

    int Position() const { return m_position; }

    bool IsOpen() const override { return m_open; }
    void First() override;
    void Next() override;
    bool Eof() const override { return m_eof; }
    int RecordCount() const override;
    bool FindMemoField(const QString& name) const override;
    QString FieldText(const QString& name) const override;

private:
    QVector<Record> m_records;
    QStringList m_memoFields{QStringLiteral("porsesh"), QStringLiteral("pasokh"),
                             QStringLiteral("pavaraghi")};
    bool m_open = true;
    bool m_countFails = false;
    int m_position = 0;
    bool m_eof = false;
};
