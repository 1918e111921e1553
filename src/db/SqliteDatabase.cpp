#include "SqliteDatabase.h"

#include "Exceptions.h"
#include "FoldingLike.h"
#include "SqliteStatement.h"

#include <QFileInfo>

#include <sqlite3.h>
#include <sys/stat.h>

namespace {

// How long a write waits for another process that holds the file's lock.
constexpr int BusyTimeoutMs = 2000;

} // namespace

SqliteDatabase::~SqliteDatabase()
{
    Close();
}

void SqliteDatabase::Open(const QString& path)
{
    Close();
    m_path = QFileInfo(path).absoluteFilePath();
    const QFileInfo file(m_path);
    if (!file.exists())
        throw EOleException(QStringLiteral("The database file '%1' was not found").arg(m_path));
    if (!file.isFile())
        throw EOleException(QStringLiteral("'%1' is not a database file").arg(m_path));
    if (!file.isReadable())
        throw EOleException(QStringLiteral("The file '%1' cannot be read: permission denied").arg(m_path));
    // SQLite would take an empty file for an empty database; it holds no collection.
    if (file.size() == 0)
        throw EOleException(QStringLiteral("The database file '%1' is empty").arg(m_path));

    // A file without write permission opens read-only, also for a user whom the system would let write.
    const bool writable = file.isWritable() && (file.permissions() & QFileDevice::WriteOwner) != 0;
    const QByteArray name = m_path.toUtf8();
    OpenHandle(name.constData(), writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY);
    // The file's identity, so that a write can tell when the file was removed or replaced meanwhile.
    struct stat identity
    {
    };
    if (::stat(name.constData(), &identity) == 0) {
        m_device = quint64(identity.st_dev);
        m_inode = quint64(identity.st_ino);
    }
    try {
        // Reading the schema shows at once whether the file is a database and whether it can be read.
        SqliteStatement check(*this, QStringLiteral("SELECT count(*) FROM sqlite_master"));
        check.Step();
    } catch (...) {
        Close();
        throw;
    }
}

void SqliteDatabase::OpenInMemory(const QString& path)
{
    Close();
    m_path = QFileInfo(path).absoluteFilePath();
    OpenHandle(":memory:", SQLITE_OPEN_READWRITE);
}

void SqliteDatabase::OpenHandle(const char* name, int flags)
{
    const int rc = sqlite3_open_v2(name, &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        try {
            Fail(rc);
        } catch (...) {
            Close();
            throw;
        }
    }
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);
    sqlite3_extended_result_codes(m_db, 1);
    RegisterFoldingLike(m_db);
    if (m_installer)
        m_installer(m_db);
}

void SqliteDatabase::Close()
{
    if (m_db != nullptr) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool SqliteDatabase::IsReadOnly() const
{
    if (m_db == nullptr || sqlite3_db_readonly(m_db, "main") != 0)
        return true;
    SqliteStatement queryOnly(*this, QStringLiteral("PRAGMA query_only"));
    return queryOnly.Step() && QByteArray(queryOnly.Text(0)).toInt() != 0;
}

void SqliteDatabase::CheckFileInPlace() const
{
    struct stat identity
    {
    };
    if (::stat(m_path.toUtf8().constData(), &identity) != 0 || quint64(identity.st_dev) != m_device ||
        quint64(identity.st_ino) != m_inode)
        throw EOleException(
            QStringLiteral("The database file '%1' was removed or replaced; the change was not saved")
                .arg(m_path));
    if ((identity.st_mode & S_IWUSR) == 0)
        throw EOleException(
            QStringLiteral("The file '%1' is read-only; the change was not saved").arg(m_path));
}

void SqliteDatabase::SetWaitForLocks(bool wait)
{
    if (m_db != nullptr)
        sqlite3_busy_timeout(m_db, wait ? BusyTimeoutMs : 0);
}

void SqliteDatabase::Execute(const char* sql)
{
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        Fail(rc);
}

int SqliteDatabase::Changes() const
{
    return sqlite3_changes(m_db);
}

int SqliteDatabase::TotalChanges() const
{
    return sqlite3_total_changes(m_db);
}

qint64 SqliteDatabase::LastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

QString SqliteDatabase::PrimaryKeyColumn(const QString& table) const
{
    QString quoted = table;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    SqliteStatement info(*this, QStringLiteral("PRAGMA table_info(\"%1\")").arg(quoted));
    QString key;
    int keys = 0;
    while (info.Step()) {
        if (QByteArray(info.Text(5)).toInt() > 0) {
            key = QString::fromUtf8(info.Text(1));
            ++keys;
        }
    }
    return keys == 1 ? key : QString();
}

void SqliteDatabase::Fail(int code) const
{
    const QString detail = m_db != nullptr ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
    switch (code & 0xff) {
    case SQLITE_NOTADB:
        throw EOleException(QStringLiteral("The file '%1' is not a database").arg(m_path));
    case SQLITE_CORRUPT:
        throw EOleException(QStringLiteral("The database '%1' is damaged").arg(m_path));
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw EOleException(QStringLiteral("The file '%1' is locked by another process").arg(m_path));
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        throw EOleException(QStringLiteral("The file '%1' cannot be opened").arg(m_path));
    case SQLITE_READONLY:
        throw EOleException(
            QStringLiteral("The file '%1' is read-only; the change was not saved").arg(m_path));
    case SQLITE_FULL:
        throw EOleException(
            QStringLiteral("The disk holding '%1' is full; the change was not saved").arg(m_path));
    case SQLITE_IOERR:
        throw EOleException(QStringLiteral("The file '%1' cannot be read or written").arg(m_path));
    default:
        break;
    }
    if (detail.startsWith(QLatin1String("no such table: ")))
        throw EOleException(QStringLiteral("The database '%1' has no table or query named %2")
                                .arg(m_path, detail.mid(int(qstrlen("no such table: ")))));
    throw EOleException(QStringLiteral("Error in the statement: %1").arg(detail));
}
