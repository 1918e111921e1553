#pragma once

#include "JetHeader.h"
#include "MdbApi.h"

#include <QList>
#include <QString>

// An open Jet file whose table catalogue has been read and judged whole. Every failure throws
// EOleException with a text that names the file and the cause.
class JetFile
{
public:
    explicit JetFile(const QString& path);
    ~JetFile();
    JetFile(const JetFile&) = delete;
    JetFile& operator=(const JetFile&) = delete;

    MdbHandle* Handle() const { return m_mdb; }
    const JetHeader& Header() const { return m_header; }

    // Catalogue entries: the user tables in catalogue order, and an object found by name and type
    // (names compare as Jet compares them, ignoring case).
    QList<MdbCatalogEntry*> UserTables() const;
    QList<MdbCatalogEntry*> Entries(int type) const;
    MdbCatalogEntry* Entry(const QString& name, int type) const;

    // Raises the file's error with the given cause.
    [[noreturn]] void Fail(const QString& cause) const;

private:
    void JudgeHeader() const;
    void JudgeCatalogue() const;

    QString m_path;
    JetHeader m_header;
    MdbHandle* m_mdb = nullptr;
};
