#include "RowData.h"

#include "Exceptions.h"
#include "RowArena.h"
#include "SqliteStatement.h"

#include <cstring>
#include <utility>

RowData::~RowData()
{
    if (m_owned)
        delete[] m_block;
}

RowData::RowData(RowData&& other) noexcept
    : m_block(std::exchange(other.m_block, nullptr)), m_owned(std::exchange(other.m_owned, false))
{}

RowData& RowData::operator=(RowData&& other) noexcept
{
    if (this != &other) {
        if (m_owned)
            delete[] m_block;
        m_block = std::exchange(other.m_block, nullptr);
        m_owned = std::exchange(other.m_owned, false);
    }
    return *this;
}

void RowData::Allocate(int columns, std::size_t bytes, RowArena* arena)
{
    const std::size_t size = sizeof(std::uint32_t) * std::size_t(columns + 1) + bytes;
    m_block = arena != nullptr ? arena->Allocate(size) : nullptr;
    m_owned = m_block == nullptr;
    if (m_owned)
        m_block = new char[size];
    reinterpret_cast<std::uint32_t*>(m_block)[0] = std::uint32_t(columns);
}

RowData RowData::FromPieces(const Piece* pieces, int columns, RowArena* arena)
{
    std::size_t total = 0;
    for (int c = 0; c < columns; ++c)
        total += std::size_t(pieces[c].bytes);
    if (total >= NullBit)
        throw EOleException(QStringLiteral("A row of the result is too large to hold"));
    RowData row;
    row.Allocate(columns, total, arena);
    auto* ends = reinterpret_cast<std::uint32_t*>(row.m_block) + 1;
    char* bytes = row.m_block + sizeof(std::uint32_t) * std::size_t(columns + 1);
    std::uint32_t end = 0;
    for (int c = 0; c < columns; ++c) {
        if (pieces[c].text == nullptr) {
            ends[c] = end | NullBit;
            continue;
        }
        std::memcpy(bytes + end, pieces[c].text, std::size_t(pieces[c].bytes));
        end += std::uint32_t(pieces[c].bytes);
        ends[c] = end;
    }
    return row;
}

RowData RowData::Share() const
{
    RowData row;
    if (m_block == nullptr)
        return row;
    if (!m_owned) {
        row.m_block = m_block;
        return row;
    }
    const int columns = ColumnCount();
    const std::size_t bytes = columns > 0 ? Header()[columns] & ~NullBit : 0;
    row.Allocate(columns, bytes, nullptr);
    std::memcpy(row.m_block, m_block, sizeof(std::uint32_t) * std::size_t(columns + 1) + bytes);
    return row;
}

RowData RowData::FromStatement(const SqliteStatement& statement, int columns, RowArena* arena)
{
    constexpr int Kept = 16;
    Piece kept[Kept];
    std::vector<Piece> more(columns > Kept ? std::size_t(columns) : 0);
    Piece* pieces = columns > Kept ? more.data() : kept;
    for (int c = 0; c < columns; ++c) {
        // Text first, then the length: SQLite converts the value to UTF-8 before measuring it.
        pieces[c].text = statement.Text(c);
        pieces[c].bytes = pieces[c].text != nullptr ? statement.Bytes(c) : 0;
    }
    return FromPieces(pieces, columns, arena);
}

RowData RowData::FromValues(const std::vector<std::optional<QString>>& values)
{
    std::vector<QByteArray> utf8(values.size());
    std::vector<Piece> pieces(values.size());
    for (std::size_t c = 0; c < values.size(); ++c) {
        if (values[c]) {
            utf8[c] = values[c]->toUtf8();
            pieces[c] = {utf8[c].constData(), int(utf8[c].size())};
        }
    }
    return FromPieces(pieces.data(), int(values.size()), nullptr);
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
