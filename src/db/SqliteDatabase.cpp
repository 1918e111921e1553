#include "SqliteDatabase.h"

#include "Exceptions.h"
#include "FoldingLike.h"
#include "MessageNames.h"
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
    const QString name = FileNameInMessage(m_path);
    if (!file.exists())
        throw EOleException(QStringLiteral("پرونده مجموعه %1 در پوشه %2 پیدا نشد. مجموعه "
                                           "خود را با همین نام در این پوشه بگذارید")
                                .arg(name, FolderInMessage(m_path)));
    if (!file.isFile())
        throw EOleException(QStringLiteral("مسیر %1 در پوشه %2 پرونده نیست (پوشه یا "
                                           "دستگاه است). آن را بردارید و پرونده مجموعه "
                                           "را با همین نام بگذارید")
                                .arg(name, FolderInMessage(m_path)));
    if (!file.isReadable())
        throw EOleException(
            QStringLiteral("اجازه خواندن پرونده %1 را ندارید. در "
                           "ویژگی‌های پرونده اجازه خواندن و نوشتن را به "
                           "خود بدهید")
                .arg(name));
    // SQLite would take an empty file for an empty database; it holds no collection.
    if (file.size() == 0)
        throw EOleException(
            QStringLiteral("پرونده %1 خالی است و مجموعه‌ای در آن نیست. "
                           "پرونده مجموعه را به جای آن بگذارید")
                .arg(name));

    // A file without write permission opens read-only, also for a user whom the system would let write.
    const bool writable = file.isWritable() && (file.permissions() & QFileDevice::WriteOwner) != 0;
    const QByteArray encoded = m_path.toUtf8();
    OpenHandle(encoded.constData(), writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY);
    // The file's identity, so that a write can tell when the file was removed or replaced meanwhile.
    struct stat identity
    {
    };
    if (::stat(encoded.constData(), &identity) == 0) {
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
    m_inMemory = true;
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
    m_inMemory = false;
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
            QStringLiteral("پرونده %1 پس از باز شدن پاک، جابه‌جا یا "
                           "جایگزین شد و تغییر ذخیره نشد. برنامه را "
                           "ببندید و دوباره باز کنید")
                .arg(FileNameInMessage(m_path)));
    if ((identity.st_mode & S_IWUSR) == 0)
        ReadOnly();
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

void SqliteDatabase::ReadOnly() const
{
    const QString name = FileNameInMessage(m_path);
    // The copy of an Access file refuses every change; the file itself may well be writable.
    if (m_inMemory)
        throw EOleException(
            QStringLiteral("مجموعه %1 پرونده Access است و تنها خوانده "
                           "می‌شود؛ تغییر ذخیره نشد. برای ویرایش، آن را "
                           "یک بار با %2 به قالب خود ولنورا تبدیل کنید")
                .arg(name, NameInMessage(QStringLiteral("velnora-import"))));
    throw EOleException(
        QStringLiteral("پرونده %1 فقط‌خواندنی است و تغییر ذخیره نشد. "
                       "اجازه نوشتن در پرونده را بدهید و دوباره "
                       "بکوشید")
            .arg(name));
}

void SqliteDatabase::Fail(int code) const
{
    const QString detail = m_db != nullptr ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
    const QString name = FileNameInMessage(m_path);
    switch (code & 0xff) {
    case SQLITE_NOTADB:
        throw EOleException(
            QStringLiteral("پرونده %1 پایگاه داده نیست. پرونده مجموعه را با همین نام به جای آن بگذارید")
                .arg(name));
    case SQLITE_CORRUPT:
        throw EOleException(
            QStringLiteral("پایگاه داده %1 آسیب دیده است. نسخه سالمی از مجموعه را به جای آن بگذارید")
                .arg(name));
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw EOleException(
            QStringLiteral("پرونده %1 را برنامه دیگری قفل کرده است. آن برنامه را ببندید و دوباره بکوشید")
                .arg(name));
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        throw EOleException(
            QStringLiteral("پرونده %1 باز نشد. اجازه‌های پرونده و پوشه "
                           "%2 را بررسی کنید")
                .arg(name, FolderInMessage(m_path)));
    case SQLITE_READONLY:
        ReadOnly();
    case SQLITE_FULL:
        throw EOleException(QStringLiteral("دیسکی که پرونده %1 روی آن است پر است و تغییر "
                                           "ذخیره نشد. جایی روی دیسک خالی کنید و دوباره "
                                           "بکوشید")
                                .arg(name));
    case SQLITE_IOERR:
        throw EOleException(QStringLiteral("پرونده %1 خوانده یا نوشته نشد (خطای دیسک). "
                                           "دیسک را بررسی کنید و دوباره بکوشید")
                                .arg(name));
    default:
        break;
    }
    if (detail.startsWith(QLatin1String("no such table: ")))
        throw EOleException(QStringLiteral("پایگاه داده %1 جدول یا پرسمانی به نام %2 "
                                           "ندارد. پرونده مجموعه درست را با همین نام "
                                           "بگذارید")
                                .arg(name, NameInMessage(detail.mid(int(qstrlen("no such table: "))))));
    throw EOleException(QStringLiteral("دستوری روی پایگاه داده %1 اجرا نشد: %2").arg(name, detail));
}
