#include "JetDatabase.h"

#include "JetError.h"
#include "JetHeader.h"
#include "JetReaderProcess.h"
#include "MessageNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <memory>

bool IsJetFile(const QString& path)
{
    return JetHeader::Read(path).IsJet();
}

void ConvertJetDatabase(const QString& path, const QString& sqlitePath, const JetLoadOptions& options,
                        JetLoadReport* report)
{
    JetLoadReport local;
    JetReaderProcess(path, options).CopyInto(sqlitePath, report != nullptr ? *report : local);
}

void LoadJetDatabase(const QString& path, sqlite3* target, JetLoadReport* report,
                     const JetLoadOptions& options)
{
    const QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("velnora-jet-XXXXXX")));
    if (!folder.isValid())
        throw JetError(path, QStringLiteral("پوشه موقتی ساخته نشد"));
    const QString copy = folder.filePath(QStringLiteral("copy.sqlite"));
    ConvertJetDatabase(path, copy, options, report);

    sqlite3* source = nullptr;
    const int opened =
        sqlite3_open_v2(QFile::encodeName(copy).constData(), &source, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> owned(source, sqlite3_close);
    sqlite3_backup* backup =
        opened == SQLITE_OK ? sqlite3_backup_init(target, "main", source, "main") : nullptr;
    const int stepped = backup != nullptr ? sqlite3_backup_step(backup, -1) : SQLITE_ERROR;
    const int finished = backup != nullptr ? sqlite3_backup_finish(backup) : SQLITE_ERROR;
    if (stepped != SQLITE_DONE || finished != SQLITE_OK)
        throw JetError(path, QStringLiteral("رونوشت آن بار نشد (%1)")
                                 .arg(NameInMessage(QString::fromUtf8(sqlite3_errmsg(target)))));
    // A change to this copy would be lost when it closes, and never reach the Jet file: refuse it.
    if (sqlite3_exec(target, "PRAGMA query_only = ON", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw JetError(path, QStringLiteral("رونوشت آن فقط‌خواندنی نشد"));
}
