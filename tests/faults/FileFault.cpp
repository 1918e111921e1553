#include "FileFault.h"

#include "TADOConnection.h"
#include "Unit2.h"

#include <QFile>

#include <sqlite3.h>

#include <stdexcept>

// A second program holding the file's write lock while it lives.
class FileFault::WriteLock
{
public:
    explicit WriteLock(const QString& path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        if (sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            throw std::runtime_error("the file cannot be locked");
    }
    ~WriteLock()
    {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

private:
    sqlite3* m_db = nullptr;
};

namespace {

// A statement run by another program.
void ExecuteElsewhere(const QString& path, const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const int result = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    if (result != SQLITE_OK)
        throw std::runtime_error("another program's statement failed");
}

} // namespace

QString FaultName(Fault fault)
{
    switch (fault) {
    case Fault::Removed:
        return QStringLiteral("file removed");
    case Fault::Moved:
        return QStringLiteral("file moved away and back");
    case Fault::ReadOnly:
        return QStringLiteral("file made read-only");
    case Fault::Locked:
        return QStringLiteral("file locked by another program");
    case Fault::ChangedElsewhere:
        return QStringLiteral("entry changed by another program");
    case Fault::DeletedElsewhere:
        return QStringLiteral("entry deleted by another program");
    case Fault::DiskFull:
        return QStringLiteral("disk full");
    }
    return QString();
}

QString FaultMessage(Fault fault)
{
    switch (fault) {
    case Fault::Removed:
    case Fault::Moved:
        return QStringLiteral("پس از باز شدن پاک، جابه‌جا یا جایگزین شد و "
                              "تغییر ذخیره نشد");
    case Fault::ReadOnly:
        return QStringLiteral("فقط‌خواندنی است و تغییر ذخیره نشد");
    case Fault::Locked:
        return QStringLiteral("را برنامه دیگری قفل کرده است");
    case Fault::ChangedElsewhere:
    case Fault::DeletedElsewhere:
        return QStringLiteral("پس از خوانده شدن، آن را تغییر داده یا پاک کرده است");
    case Fault::DiskFull:
        return QStringLiteral("پر است و تغییر ذخیره نشد");
    }
    return QString();
}

FileFault::FileFault(Fault fault, const QString& path, qint64 entry) : m_fault(fault), m_path(path)
{
    const auto fail = [](const char* what) { throw std::runtime_error(what); };
    switch (fault) {
    case Fault::Removed:
        if (!QFile::copy(m_path, m_path + QStringLiteral(".kept")) || !QFile::remove(m_path))
            fail("the file cannot be removed");
        break;
    case Fault::Moved:
        if (!QFile::rename(m_path, m_path + QStringLiteral(".away")))
            fail("the file cannot be moved");
        break;
    case Fault::ReadOnly:
        if (!QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ReadGroup))
            fail("the file cannot be made read-only");
        break;
    case Fault::Locked:
        m_lock = std::make_unique<WriteLock>(m_path);
        break;
    case Fault::ChangedElsewhere:
        ExecuteElsewhere(
            m_path, QStringLiteral("UPDATE Table1 SET kholase = coalesce(kholase, '') || '~', "
                                   "porsesh = coalesce(porsesh, '') || '~', pasokh = coalesce(pasokh, '') || "
                                   "'~', pavaraghi = coalesce(pavaraghi, '') || '~' WHERE id = %1")
                        .arg(entry));
        break;
    case Fault::DeletedElsewhere:
        ExecuteElsewhere(m_path, QStringLiteral("DELETE FROM Table1 WHERE id = %1").arg(entry));
        break;
    case Fault::DiskFull:
        LimitGrowth(0);
        break;
    }
}

FileFault::~FileFault()
{
    Mend();
}

void FileFault::Mend()
{
    if (m_mended)
        return;
    m_mended = true;
    switch (m_fault) {
    case Fault::Removed:
        QFile::rename(m_path + QStringLiteral(".kept"), m_path);
        break;
    case Fault::Moved:
        QFile::rename(m_path + QStringLiteral(".away"), m_path);
        break;
    case Fault::ReadOnly:
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        break;
    case Fault::Locked:
        m_lock.reset();
        break;
    case Fault::DiskFull:
        // The program may have ended and taken its connection with it.
        if (Data != nullptr)
            LimitGrowth(1000);
        break;
    case Fault::ChangedElsewhere:
    case Fault::DeletedElsewhere:
        break;
    }
}

bool FileFault::Mendable() const
{
    return m_fault == Fault::Moved || m_fault == Fault::ReadOnly || m_fault == Fault::Locked ||
           m_fault == Fault::DiskFull;
}

void LimitGrowth(int extraPages)
{
    sqlite3* db = Data->ADOConnection1->Database().Handle();
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA page_count", -1, &statement, nullptr);
    sqlite3_step(statement);
    const int pages = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    const QByteArray limit = "PRAGMA max_page_count = " + QByteArray::number(pages + extraPages);
    sqlite3_exec(db, limit.constData(), nullptr, nullptr, nullptr);
}
