#pragma once

#include <QString>

#include <array>
#include <memory>

// What can keep a change the reader made from being saved, made to the reader's file while the
// program has it open.
enum class Fault
{
    Removed,
    Moved,
    ReadOnly,
    Locked,
    ChangedElsewhere,
    DeletedElsewhere,
    DiskFull,
};

inline constexpr std::array<Fault, 7> AllFaults{
    Fault::Removed,          Fault::Moved,   Fault::ReadOnly, Fault::Locked, Fault::ChangedElsewhere,
    Fault::DeletedElsewhere, Fault::DiskFull};

// The question the program asks when a change cannot be saved as its window closes.
inline const QString CloseWithoutChangeQuestion =
    QStringLiteral("تغييري که ذخيره نشد از دست مي‌رود. بسته شود؟");

// How a test names the fault.
QString FaultName(Fault fault);
// A part of the text of the box that reports a post refused by the fault.
QString FaultMessage(Fault fault);

// One fault made to the file of a running program, undone by Mend() or at the latest by the destructor
// where it can be: the file moved away comes back, it is made writable again, the other program's
// lock is released, the program's connection may grow the file again. A removed file comes back as a
// copy of what it held before, which the running program takes for another file; an entry changed or
// deleted by another program stays so.
class FileFault
{
public:
    // path: the program's dorvanel.mdb; entry: the key of the entry another program changes (every text
    // of it) or deletes.
    FileFault(Fault fault, const QString& path, qint64 entry);
    ~FileFault();
    FileFault(const FileFault&) = delete;
    FileFault& operator=(const FileFault&) = delete;

    void Mend();
    // Whether a post refused by the fault succeeds once the fault is mended.
    bool Mendable() const;

private:
    class WriteLock;

    Fault m_fault;
    QString m_path;
    std::unique_ptr<WriteLock> m_lock;
    bool m_mended = false;
};

// Limits the running program's own connection to the file's present size plus the given pages.
void LimitGrowth(int extraPages);
