#pragma once

#include "JetLoadOptions.h"
#include "JetLoadReport.h"

#include <QString>

// Runs velnora-jet-reader to copy a Jet file into a new SQLite file, and judges the outcome: the
// helper's own error, a crash, a hang (no word from it for a while), and any warning libmdb printed
// all fail the copy with EOleException naming the file.
class JetReaderProcess
{
public:
    JetReaderProcess(const QString& source, const JetLoadOptions& options);

    void CopyInto(const QString& sqlitePath, JetLoadReport& report);

    // Where the helper is: beside the running program, or where it was built or installed.
    static QString HelperPath();

private:
    void Take(const QString& line, JetLoadReport& report);
    [[noreturn]] void Fail(const QString& cause) const;

    QString m_source;
    JetLoadOptions m_options;
    QString m_error;
    bool m_done = false;
};
