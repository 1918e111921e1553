#include "JetFile.h"

#include "JetError.h"

#include <QFileInfo>

namespace {

// Memo and text values are converted into a buffer of this size; a longer value is refused rather
// than cut short (JetTableCopier).
constexpr size_t kBindSize = 4 * 1024 * 1024;

const char kObjectsTable[] = "MSysObjects";

} // namespace

JetFile::JetFile(const QString& path) : m_path(path)
{
    const QFileInfo info(path);
    if (!info.exists())
        Fail(QStringLiteral("پرونده وجود ندارد"));
    if (!info.isFile() || !info.isReadable())
        Fail(QStringLiteral("پرونده خوانا نیست؛ اجازه خواندن آن را بدهید"));
    m_header = JetHeader::Read(path);
    JudgeHeader();

    m_mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (m_mdb == nullptr)
        Fail(QStringLiteral("پرونده باز نشد"));
    mdb_set_bind_size(m_mdb, kBindSize);
    mdb_set_boolean_fmt_numbers(m_mdb);
    JudgeCatalogue();
}

JetFile::~JetFile()
{
    if (m_mdb != nullptr)
        mdb_close(m_mdb);
}

void JetFile::JudgeHeader() const
{
    switch (m_header.kind) {
    case JetHeader::Kind::Empty:
        Fail(QStringLiteral("پرونده خالی است"));
    case JetHeader::Kind::Foreign:
        Fail(QStringLiteral("پرونده پایگاه داده Access (Jet) نیست"));
    case JetHeader::Kind::Ace:
        Fail(QStringLiteral("پرونده از Access 2007 یا پس از آن است و تنها "
                            "پرونده‌های Jet 3 و Jet 4 (Access 97 تا 2003) "
                            "خوانده می‌شوند. آن را در Access با قالب "
                            "2002-2003 ذخیره کنید"));
    case JetHeader::Kind::Jet3:
    case JetHeader::Kind::Jet4:
        break;
    }
    // A Jet file is made of whole pages, and its catalogue lies on page 2.
    if (m_header.fileSize % m_header.PageSize() != 0 || m_header.fileSize < 3 * m_header.PageSize())
        Fail(QStringLiteral("پرونده ناقص است (اندازه آن، %1 بایت، چند "
                            "برابر درستی از صفحه‌های %2 بایتی نیست)")
                 .arg(m_header.fileSize)
                 .arg(m_header.PageSize()));
}

void JetFile::JudgeCatalogue() const
{
    const QString unreadable =
        QStringLiteral("فهرست جدول‌های آن خوانده نشد (پرونده آسیب "
                       "دیده یا ناقص است)");
    if (mdb_read_catalog(m_mdb, MDB_ANY) == nullptr)
        Fail(unreadable);
    MdbCatalogEntry* objects = Entry(QLatin1String(kObjectsTable), MDB_TABLE);
    if (objects == nullptr)
        Fail(unreadable);
    // The catalogue lists one entry per row of MSysObjects; fewer entries than rows means part of
    // it could not be read.
    MdbTableDef* table = mdb_read_table(objects);
    if (table == nullptr)
        Fail(unreadable);
    const unsigned declared = table->num_rows;
    mdb_free_tabledef(table);
    if (m_mdb->num_catalog < declared)
        Fail(unreadable);
}

QList<MdbCatalogEntry*> JetFile::UserTables() const
{
    QList<MdbCatalogEntry*> tables = Entries(MDB_TABLE);
    tables.removeIf([](MdbCatalogEntry* entry) { return !mdb_is_user_table(entry); });
    return tables;
}

QList<MdbCatalogEntry*> JetFile::Entries(int type) const
{
    QList<MdbCatalogEntry*> entries;
    for (unsigned i = 0; i < m_mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(m_mdb->catalog, i));
        if (entry->object_type == type)
            entries.append(entry);
    }
    return entries;
}

MdbCatalogEntry* JetFile::Entry(const QString& name, int type) const
{
    for (unsigned i = 0; i < m_mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(m_mdb->catalog, i));
        if (entry->object_type == type &&
            QString::fromUtf8(entry->object_name).compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return nullptr;
}

void JetFile::Fail(const QString& cause) const
{
    throw JetError(m_path, cause);
}
