#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class RowArena;
class SqliteStatement;

// One row's values held compactly: a single block with the end offset of each value (its top bit
// marks a null) followed by the values' UTF-8 bytes. Values are decoded when they are read.
class RowData
{
public:
    RowData() = default;
    ~RowData();
    RowData(RowData&& other) noexcept;
    RowData& operator=(RowData&& other) noexcept;
    RowData(const RowData&) = delete;
    RowData& operator=(const RowData&) = delete;

    // The current row of a statement, in memory of the arena when it has room.
    static RowData FromStatement(const SqliteStatement& statement, int columns, RowArena* arena = nullptr);
    static RowData FromValues(const std::vector<std::optional<QString>>& values);
    // The same row for another result: the same memory where it lies in an arena, which the other
    // result must then hold as well, or a copy of a row that holds its own.
    RowData Share() const;

    int ColumnCount() const { return m_block != nullptr ? int(Header()[0]) : 0; }
    bool IsNull(int column) const;
    QString Value(int column) const;
    std::optional<QString> OptionalValue(int column) const;
    QByteArray Utf8(int column) const;
    std::vector<std::optional<QString>> Values() const;

private:
    static constexpr std::uint32_t NullBit = 0x80000000u;
    // One value's UTF-8 bytes; a null text is a null value.
    struct Piece
    {
        const char* text = nullptr;
        int bytes = 0;
    };
    static RowData FromPieces(const Piece* pieces, int columns, RowArena* arena);
    const std::uint32_t* Header() const { return reinterpret_cast<const std::uint32_t*>(m_block); }
    const char* Bytes() const { return m_block + sizeof(std::uint32_t) * (Header()[0] + 1); }
    void Range(int column, std::uint32_t& begin, std::uint32_t& end) const;
    // Memory for a block with this many values and bytes, with its column count set.
    void Allocate(int columns, std::size_t bytes, RowArena* arena);

    char* m_block = nullptr;
    // Whether the block is this row's own, rather than its arena's.
    bool m_owned = false;
};
