#include "StoredRows.h"

#include <sqlite3.h>

#include <stdexcept>

const std::array<const char*, 4> EntryFields{"kholase", "porsesh", "pasokh", "pavaraghi"};

StoredRows ReadStoredRows(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("the file cannot be read by another program");
    }
    sqlite3_busy_timeout(db, 2000);
    sqlite3_stmt* statement = nullptr;
    StoredRows rows;
    if (sqlite3_prepare_v2(db, "SELECT id, kholase, porsesh, pasokh, pavaraghi FROM Table1", -1, &statement,
                           nullptr) != SQLITE_OK) {
        const std::string error = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(error);
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
        Entry entry;
        for (int c = 0; c < 4; ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c + 1));
            entry[std::size_t(c)] = EntryValue(
                text != nullptr
                    ? std::optional(QString::fromUtf8(text, sqlite3_column_bytes(statement, c + 1)))
                    : std::nullopt);
        }
        rows[sqlite3_column_int64(statement, 0)] = entry;
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

QString EntryValue(const std::optional<QString>& value)
{
    if (!value)
        return QString();
    return value->isNull() ? QStringLiteral("") : *value;
}

bool SameValue(const QString& a, const QString& b)
{
    return a == b && a.isNull() == b.isNull();
}
