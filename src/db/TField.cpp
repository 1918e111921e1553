#include "TField.h"

#include "Exceptions.h"
#include "TDataSet.h"

namespace {

// Lists give fields without a declared length this many characters.
constexpr int DefaultDisplayWidth = 10;

} // namespace

TField::TField(TDataSet* dataSet, int index, TFieldDef def)
    : m_dataSet(dataSet), m_index(index), m_def(std::move(def))
{}

int TField::DisplayWidth() const
{
    return m_def.type == TFieldType::ftString ? m_def.size : DefaultDisplayWidth;
}

bool TField::IsNull() const
{
    return !m_dataSet->FieldValue(m_index).has_value();
}

QString TField::AsString() const
{
    return m_dataSet->FieldValue(m_index).value_or(QString());
}

void TField::setAsString(const QString& value)
{
    if (m_def.type == TFieldType::ftString && value.size() > m_def.size)
        throw EDatabaseError(QStringLiteral("Field '%1': the text is longer than %2 characters")
                                 .arg(m_def.name)
                                 .arg(m_def.size));
    SetValue(value);
}

void TField::Clear()
{
    SetValue(std::nullopt);
}

void TField::SetValue(std::optional<QString> value)
{
    if (!CanModify())
        throw EDatabaseError(QStringLiteral("Field '%1' cannot be modified").arg(m_def.name));
    m_dataSet->SetFieldValue(m_index, std::move(value));
}

QString TField::DisplayText() const
{
    if (IsBlob())
        return AsString().isEmpty() ? QStringLiteral("(memo)") : QStringLiteral("(MEMO)");
    return AsString();
}

bool TField::CanModify() const
{
    return m_dataSet->CanModify() && !m_def.isKey && !m_def.baseColumn.isEmpty();
}
