#pragma once

#include <QString>

#include <cstdio>

// Turns a Jet file into a native collection: a new SQLite file at the target path, written under a
// temporary name beside it and renamed only once complete and checked. An existing target is never
// overwritten. Throws EOleException on failure, after removing the temporary file.
class JetImport
{
public:
    JetImport(QString source, QString target, QString browseQuery);
    ~JetImport();
    JetImport(const JetImport&) = delete;
    JetImport& operator=(const JetImport&) = delete;

    // Imports, telling progress and the outcome on `out`.
    void Run(std::FILE* out);

private:
    void CheckRowCounts(const struct JetLoadReport& report) const;
    void Publish() const;
    [[noreturn]] void Fail(const QString& cause) const;

    QString m_source;
    QString m_target;
    QString m_browseQuery;
    QString m_temporary;
};
