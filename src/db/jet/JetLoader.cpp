#include "JetLoader.h"

#include "Exceptions.h"
#include "JetFile.h"
#include "JetQueryTranslator.h"
#include "JetSqlStatement.h"
#include "JetStoredQuery.h"
#include "JetTableCopier.h"

#include <memory>
#include <vector>

namespace {

const QString kBrowseView = QStringLiteral("Query1");
constexpr qint64 kProgressEvery = 256;

} // namespace

JetLoader::JetLoader(const QString& path, const JetLoadOptions& options) : m_path(path), m_options(options) {}

void JetLoader::Run(sqlite3* db, JetLoadReport& report)
{
    const JetFile file(m_path);
    std::vector<std::unique_ptr<JetTableCopier>> copiers;
    qint64 total = 0;
    for (MdbCatalogEntry* entry : file.UserTables()) {
        copiers.push_back(std::make_unique<JetTableCopier>(file, entry));
        total += copiers.back()->DeclaredRows();
    }

    JetSqlStatement::Execute(db, QStringLiteral("BEGIN"));
    qint64 done = 0;
    QStringList tables;
    for (const auto& copier : copiers) {
        report.notCarried.append(copier->Skipped());
        if (!copier->HasColumns()) {
            report.notCarried.append(
                QStringLiteral("Table \"%1\" has no column that can be carried over; it is left out.")
                    .arg(copier->Name()));
            continue;
        }
        copier->CreateTable(db, m_options.addKeys);
        const qint64 rows = copier->CopyRows(db, [&] {
            if (++done % kProgressEvery == 0 && m_options.progress)
                m_options.progress(done, total);
        });
        report.tables.append({copier->Name(), rows});
        tables.append(copier->Name());
    }
    MakeBrowseQuery(file, db, tables, report);
    JetSqlStatement::Execute(db, QStringLiteral("COMMIT"));
    if (m_options.progress)
        m_options.progress(done, total);
}

void JetLoader::MakeBrowseQuery(const JetFile& file, sqlite3* db, const QStringList& tables,
                                JetLoadReport& report)
{
    const MdbCatalogEntry* query = file.Entry(m_options.browseQuery, MDB_QUERY);
    if (query == nullptr) {
        report.notCarried.append(
            QStringLiteral("The file has no stored query \"%1\".").arg(m_options.browseQuery));
        return;
    }
    if (tables.contains(kBrowseView, Qt::CaseInsensitive)) {
        report.notCarried.append(
            QStringLiteral("The stored query \"%1\" is not carried over: a table is already "
                           "named %2.")
                .arg(m_options.browseQuery, kBrowseView));
        return;
    }
    QString reason;
    const QString select = TranslateStoredQuery(ReadStoredQuery(file, query), tables, &reason);
    if (!select.isEmpty()) {
        // A view that names a column the table lacks fails only when it is read: try it first.
        try {
            JetSqlStatement::Execute(db, QStringLiteral("SAVEPOINT browse_query"));
            JetSqlStatement::Execute(
                db,
                QStringLiteral("CREATE VIEW %1 AS %2").arg(JetSqlStatement::QuoteName(kBrowseView), select));
            JetSqlStatement check(
                db, QStringLiteral("SELECT * FROM %1 LIMIT 1").arg(JetSqlStatement::QuoteName(kBrowseView)));
            JetSqlStatement::Execute(db, QStringLiteral("RELEASE browse_query"));
            report.browseQuery = true;
            return;
        } catch (const EOleException& e) {
            JetSqlStatement::Execute(db, QStringLiteral("ROLLBACK TO browse_query"));
            JetSqlStatement::Execute(db, QStringLiteral("RELEASE browse_query"));
            reason = QStringLiteral("its translation fails in SQLite (%1)").arg(e.Message());
        }
    }
    report.notCarried.append(QStringLiteral("The stored query \"%1\" cannot be translated: %2.")
                                 .arg(m_options.browseQuery, reason));
}
