#include "FakeDataSet.h"

#include "Exceptions.h"

FakeDataSet::Record FakeDataSet::Entry(const QString& question, const QString& answer, const QString& sources)
{
    return Record{{QStringLiteral("kholase"), question.left(20)},
                  {QStringLiteral("porsesh"), question},
                  {QStringLiteral("pasokh"), answer},
                  {QStringLiteral("pavaraghi"), sources}};
}

QVector<FakeDataSet::Record> FakeDataSet::Entries(int count)
{
    // Ordinals in words, so that each entry's text can be told apart in an extracted PDF.
    static const QStringList ordinals{
        QStringLiteral("یکم"),  QStringLiteral("دوم"), QStringLiteral("سوم"),    QStringLiteral("چهارم"),
        QStringLiteral("پنجم"), QStringLiteral("ششم"), QStringLiteral("هفتم"),   QStringLiteral("هشتم"),
        QStringLiteral("نهم"),  QStringLiteral("دهم"), QStringLiteral("یازدهم"), QStringLiteral("دوازدهم")};
    QVector<Record> records;
    for (int i = 1; i <= count; ++i) {
        const QString ordinal = i <= ordinals.size() ? ordinals.at(i - 1) : QString::number(i);
        records.append(Entry(QStringLiteral("پرسش %1 دربارهٔ ایمان چیست؟").arg(ordinal),
                             QStringLiteral("پاسخ %1: ایمان باور قلبی است.").arg(ordinal),
                             QStringLiteral("منبع %1").arg(ordinal)));
    }
    return records;
}

void FakeDataSet::SetRecords(QVector<Record> records)
{
    m_records = std::move(records);
    m_position = 0;
    m_eof = m_records.isEmpty();
}

void FakeDataSet::First()
{
    if (!m_open)
        throw EDatabaseError(QStringLiteral("ADOQuery1: Cannot perform this operation on a closed dataset"));
    m_position = 0;
    m_eof = m_records.isEmpty();
}

void FakeDataSet::Next()
{
    if (!m_open)
        throw EDatabaseError(QStringLiteral("ADOQuery1: Cannot perform this operation on a closed dataset"));
    if (m_position + 1 < m_records.size())
        ++m_position;
    else
        m_eof = true;
    if (AfterNext)
        AfterNext(m_position);
}

int FakeDataSet::RecordCount() const
{
    if (m_countFails)
        throw EOleException(QStringLiteral("Record count is not available"));
    return m_records.size();
}

bool FakeDataSet::FindMemoField(const QString& name) const
{
    return m_open && m_memoFields.contains(name);
}

QString FakeDataSet::FieldText(const QString& name) const
{
    if (!m_open || m_records.isEmpty())
        return QString();
    return m_records.at(m_position).value(name);
}
