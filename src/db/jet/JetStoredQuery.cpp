#include "JetStoredQuery.h"

#include "JetBinding.h"
#include "JetFile.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

const char kQueriesTable[] = "MSysQueries";

// The object number a catalogue entry carries is the low 24 bits of the object's id.
constexpr long kObjectNumberMask = 0x00FFFFFF;

} // namespace

QList<JetQueryRow> ReadStoredQuery(const JetFile& file, const MdbCatalogEntry* query)
{
    MdbHandle* mdb = file.Handle();
    MdbCatalogEntry* entry = file.Entry(QLatin1String(kQueriesTable), MDB_TABLE);
    MdbTableDef* table = entry != nullptr ? mdb_read_table(entry) : nullptr;
    if (table == nullptr || mdb_read_columns(table) == nullptr)
        file.Fail(QStringLiteral("پرسمان‌های ذخیره‌شده آن خوانده نشد"));

    const QList<QByteArray> names = {"ObjectId", "Attribute",  "Order", "Name1",
                                     "Name2",    "Expression", "Flag"};
    std::vector<std::unique_ptr<JetBinding>> bindings(names.size());
    std::array<MdbColumn*, 7> columns{};
    for (int i = 0; i < names.size(); ++i) {
        for (unsigned c = 0; c < table->num_cols; ++c) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
            if (names.at(i) == column->name) {
                columns[i] = column;
                bindings[i] = std::make_unique<JetBinding>(table, int(c));
            }
        }
        if (columns[i] == nullptr) {
            mdb_free_tabledef(table);
            file.Fail(QStringLiteral("پرسمان‌های ذخیره‌شده آن خوانده نشد"));
        }
    }
    const auto text = [&](int i) { return QString::fromUtf8(bindings[i]->Text(), bindings[i]->Length()); };

    QList<JetQueryRow> rows;
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        if ((text(0).toLong() & kObjectNumberMask) != long(query->table_pg & kObjectNumberMask))
            continue;
        JetQueryRow row;
        row.attribute = text(1).toInt();
        row.order = QByteArray(reinterpret_cast<const char*>(mdb->pg_buf) + columns[2]->cur_value_start,
                               columns[2]->cur_value_len);
        row.name1 = text(3);
        row.name2 = text(4);
        row.expression = text(5);
        row.flag = text(6).toInt();
        rows.append(row);
    }
    mdb_free_tabledef(table);
    std::stable_sort(rows.begin(), rows.end(), [](const JetQueryRow& a, const JetQueryRow& b) {
        return a.attribute != b.attribute ? a.attribute < b.attribute : a.order < b.order;
    });
    return rows;
}
