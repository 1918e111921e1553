#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class SqliteStatement;

// One row's values held compactly: a single block with the end offset of each value (its top bit
// marks a null) followed by the values' UTF-8 bytes. Values are decoded when they are read.
class RowData
{
public:
    RowData() = default;

    // The current row of a statement.
    static RowData FromStatement(const SqliteStatement& statement, int columns);
    static RowData FromValues(const std::vector<std::optional<QString>>& values);

    int ColumnCount() const { return m_block ? int(Header()[0]) : 0; }
    bool IsNull(int column) const;
    QString Value(int column) const;
    std::optional<QString> OptionalValue(int column) const;
    QByteArray Utf8(int column) const;
    std::vector<std::optional<QString>> Values() const;

private:
    static constexpr std::uint32_t NullBit = 0x80000000u;
    const std::uint32_t* Header() const { return reinterpret_cast<const std::uint32_t*>(m_block.get()); }
    const char* Bytes() const { return m_block.get() + sizeof(std::uint32_t) * (Header()[0] + 1); }
    void Range(int column, std::uint32_t& begin, std::uint32_t& end) const;

    std::unique_ptr<char[]> m_block;
};
