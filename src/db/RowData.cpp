#include "RowData.h"

#include "SqliteStatement.h"

#include <cstring>

namespace {

std::unique_ptr<char[]> Allocate(int columns, std::size_t bytes)
{
    std::unique_ptr<char[]> block(new char[sizeof(std::uint32_t) * (columns + 1) + bytes]);
    reinterpret_cast<std::uint32_t*>(block.get())[0] = std::uint32_t(columns);
    return block;
}

} // namespace

RowData RowData::FromStatement(const SqliteStatement& statement, int columns)
{
    // Text first, then the length: SQLite converts the value to UTF-8 before measuring it.
    std::size_t total = 0;
    for (int c = 0; c < columns; ++c) {
        if (!statement.IsNull(c)) {
            statement.Text(c);
            total += std::size_t(statement.Bytes(c));
        }
    }
    RowData row;
    row.m_block = Allocate(columns, total);
    auto* ends = reinterpret_cast<std::uint32_t*>(row.m_block.get()) + 1;
    char* bytes = row.m_block.get() + sizeof(std::uint32_t) * (columns + 1);
    std::uint32_t end = 0;
    for (int c = 0; c < columns; ++c) {
        if (statement.IsNull(c)) {
            ends[c] = end | NullBit;
            continue;
        }
        const int length = statement.Bytes(c);
        std::memcpy(bytes + end, statement.Text(c), std::size_t(length));
        end += std::uint32_t(length);
        ends[c] = end;
    }
    return row;
}

RowData RowData::FromValues(const std::vector<std::optional<QString>>& values)
{
    const int columns = int(values.size());
    std::vector<QByteArray> utf8(values.size());
    std::size_t total = 0;
    for (int c = 0; c < columns; ++c) {
        if (values[c]) {
            utf8[c] = values[c]->toUtf8();
            total += std::size_t(utf8[c].size());
        }
    }
    RowData row;
    row.m_block = Allocate(columns, total);
    auto* ends = reinterpret_cast<std::uint32_t*>(row.m_block.get()) + 1;
    char* bytes = row.m_block.get() + sizeof(std::uint32_t) * (columns + 1);
    std::uint32_t end = 0;
    for (int c = 0; c < columns; ++c) {
        if (!values[c]) {
            ends[c] = end | NullBit;
            continue;
        }
        std::memcpy(bytes + end, utf8[c].constData(), std::size_t(utf8[c].size()));
        end += std::uint32_t(utf8[c].size());
        ends[c] = end;
    }
    return row;
}

void RowData::Range(int column, std::uint32_t& begin, std::uint32_t& end) const
{
    const std::uint32_t* ends = Header() + 1;
    begin = column == 0 ? 0 : ends[column - 1] & ~NullBit;
    end = ends[column] & ~NullBit;
}

bool RowData::IsNull(int column) const
{
    return column < 0 || column >= ColumnCount() || (Header()[column + 1] & NullBit) != 0;
}

QString RowData::Value(int column) const
{
    if (IsNull(column))
        return QString();
    std::uint32_t begin = 0, end = 0;
    Range(column, begin, end);
    return QString::fromUtf8(Bytes() + begin, qsizetype(end - begin));
}

std::optional<QString> RowData::OptionalValue(int column) const
{
    if (IsNull(column))
        return std::nullopt;
    return Value(column);
}

QByteArray RowData::Utf8(int column) const
{
    if (IsNull(column))
        return QByteArray();
    std::uint32_t begin = 0, end = 0;
    Range(column, begin, end);
    return QByteArray(Bytes() + begin, qsizetype(end - begin));
}

std::vector<std::optional<QString>> RowData::Values() const
{
    std::vector<std::optional<QString>> values;
    values.reserve(std::size_t(ColumnCount()));
    for (int c = 0; c < ColumnCount(); ++c)
        values.push_back(OptionalValue(c));
    return values;
}
