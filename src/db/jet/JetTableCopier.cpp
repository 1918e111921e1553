#include "JetTableCopier.h"

#include "JetFile.h"
#include "JetSqlStatement.h"
#include "JetValue.h"
#include "MessageNames.h"

#include <array>

namespace {

constexpr int kPrimaryKeyIndex = 1;

} // namespace

JetTableCopier::JetTableCopier(const JetFile& file, MdbCatalogEntry* entry, const QStringList& leaveOut)
    : m_file(file), m_name(QString::fromUtf8(entry->object_name)), m_place(m_name)
{
    m_place.Enter();
    m_table = mdb_read_table(entry);
    // Jet allows 255 columns; a row is split into at most that many fields (CopyRows).
    if (m_table == nullptr || mdb_read_columns(m_table) == nullptr || m_table->num_cols > MDB_MAX_COLS) {
        if (m_table != nullptr)
            mdb_free_tabledef(m_table);
        m_file.Fail(QStringLiteral("تعریف جدول %1 خوانده نشد").arg(NameInMessage(m_name)));
    }
    mdb_read_indices(m_table);
    const bool jet4 = file.Header().kind == JetHeader::Kind::Jet4;
    for (unsigned i = 0; i < m_table->num_cols; ++i) {
        auto* mdbColumn = static_cast<MdbColumn*>(g_ptr_array_index(m_table->columns, i));
        const QString name = QString::fromUtf8(mdbColumn->name);
        if (leaveOut.contains(name)) {
            m_skipped.append(
                QStringLiteral("Column \"%1\" of table \"%2\" is left out: reading it made the reader crash "
                               "(the file is damaged there).")
                    .arg(name, m_name));
            continue;
        }
        const QString declared = JetValue::DeclaredType(mdbColumn, jet4);
        if (declared.isEmpty()) {
            m_skipped.append(
                QStringLiteral("Column \"%1\" of table \"%2\" has a kind of data that is not carried over "
                               "(Jet type %3).")
                    .arg(name, m_name)
                    .arg(mdbColumn->col_type));
            continue;
        }
        auto* column =
            new Column{mdbColumn, int(i), declared, nullptr, std::make_unique<JetReadingPlace>(m_name, name)};
        if (JetValue::NeedsBinding(mdbColumn))
            column->binding = std::make_unique<JetBinding>(m_table, int(i));
        m_columns.append(column);
    }
    m_place.Leave();
}

JetTableCopier::~JetTableCopier()
{
    qDeleteAll(m_columns);
    if (m_table != nullptr)
        mdb_free_tabledef(m_table);
}

QStringList JetTableCopier::PrimaryKey() const
{
    QStringList key;
    for (unsigned i = 0; m_table->indices != nullptr && i < m_table->num_idxs; ++i) {
        auto* index = static_cast<MdbIndex*>(g_ptr_array_index(m_table->indices, i));
        if (index->index_type != kPrimaryKeyIndex)
            continue;
        for (unsigned k = 0; k < index->num_keys; ++k) {
            for (const Column* column : m_columns) {
                if (column->position + 1 == index->key_col_num[k])
                    key.append(QString::fromUtf8(column->mdb->name));
            }
        }
        if (int(index->num_keys) != key.size())
            key.clear(); // a key over a column that is not carried is no key here
        break;
    }
    return key;
}

QString JetTableCopier::KeyColumnName() const
{
    // The usual Access name, unless the table already has a column of that name.
    for (int attempt = 0;; ++attempt) {
        const QString name =
            attempt == 0
                ? QStringLiteral("ID")
                : QStringLiteral("ImportID%1").arg(attempt == 1 ? QString() : QString::number(attempt));
        bool taken = false;
        for (unsigned i = 0; i < m_table->num_cols; ++i) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(m_table->columns, i));
            taken = taken || QString::fromUtf8(column->name).compare(name, Qt::CaseInsensitive) == 0;
        }
        if (!taken)
            return name;
    }
}

void JetTableCopier::CreateTable(sqlite3* db, bool addKey)
{
    QStringList definitions;
    const QStringList key = PrimaryKey();
    if (key.isEmpty() && addKey)
        definitions.append(JetSqlStatement::QuoteName(KeyColumnName()) +
                           QStringLiteral(" INTEGER PRIMARY KEY"));
    // A key of one whole-number column becomes SQLite's own row key.
    bool keyInline = false;
    for (const Column* column : m_columns) {
        const QString name = QString::fromUtf8(column->mdb->name);
        QString definition = JetSqlStatement::QuoteName(name) + QLatin1Char(' ') + column->declared;
        if (key == QStringList{name} && column->declared == QLatin1String("INTEGER")) {
            definition += QStringLiteral(" PRIMARY KEY");
            keyInline = true;
        }
        definitions.append(definition);
    }
    if (!key.isEmpty() && !keyInline) {
        QStringList quoted;
        for (const QString& name : key)
            quoted.append(JetSqlStatement::QuoteName(name));
        definitions.append(QStringLiteral("PRIMARY KEY (%1)").arg(quoted.join(QStringLiteral(", "))));
    }
    JetSqlStatement::Execute(
        db, QStringLiteral("CREATE TABLE %1 (%2)")
                .arg(JetSqlStatement::QuoteName(m_name), definitions.join(QStringLiteral(", "))));
}

qint64 JetTableCopier::CopyRows(sqlite3* db, const std::function<void()>& rowDone)
{
    QStringList names;
    QStringList parameters;
    for (const Column* column : m_columns) {
        names.append(JetSqlStatement::QuoteName(QString::fromUtf8(column->mdb->name)));
        parameters.append(QStringLiteral("?"));
    }
    JetSqlStatement insert(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(JetSqlStatement::QuoteName(m_name), names.join(QStringLiteral(", ")),
                                        parameters.join(QStringLiteral(", "))));
    MdbHandle* mdb = m_file.Handle();
    std::array<MdbField, MDB_MAX_COLS> fields{};
    qint64 rows = 0;
    m_place.Enter();
    mdb_rewind_table(m_table);
    while (mdb_fetch_row(m_table)) {
        // libmdb gives a null and an empty text alike; the row's null mask tells them apart.
        int start = 0;
        size_t length = 0;
        if (mdb_find_row(mdb, int(m_table->cur_row) - 1, &start, &length) != 0)
            m_file.Fail(QStringLiteral("یکی از ردیف‌های جدول %1 خوانده نشد")
                            .arg(NameInMessage(m_name)));
        const int fieldCount = mdb_crack_row(m_table, start, length, fields.data());
        for (int i = 0; i < m_columns.size(); ++i) {
            Column* column = m_columns.at(i);
            if (column->binding && column->binding->Full())
                m_file.Fail(
                    QStringLiteral("مقداری از ستون %1 در جدول %2 بلندتر از آن است که خوانده شود")
                        .arg(NameInMessage(QString::fromUtf8(column->mdb->name)), NameInMessage(m_name)));
            bool isNull = false;
            for (int f = 0; f < fieldCount; ++f) {
                if (fields[f].colnum == column->position)
                    isNull = fields[f].is_null != 0;
            }
            const JetBinding* binding = column->binding.get();
            column->place->Enter();
            JetValue::Bind(insert, i + 1, mdb, column->mdb, isNull, binding ? binding->Text() : nullptr,
                           binding ? binding->Length() : 0);
            m_place.Enter();
        }
        insert.Step();
        insert.Reset();
        ++rows;
        rowDone();
    }
    m_place.Leave();
    if (rows < DeclaredRows())
        m_file.Fail(QStringLiteral(
                        "جدول %1 %2 ردیف دارد، اما تنها %3 ردیف آن خوانده شد (پرونده آسیب دیده یا ناقص است)")
                        .arg(NameInMessage(m_name))
                        .arg(DeclaredRows())
                        .arg(rows));
    return rows;
}
