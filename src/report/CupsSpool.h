#pragma once

#include <QTemporaryFile>

class QPrinter;

// A printout for a CUPS printer, held on this machine until it is complete. Qt's CUPS engine hands
// its job to the server as soon as painting ends, and QPrinter::abort() cannot stop that; so the
// printer writes into a spool file of ours instead, and only a finished printout is sent. An
// abandoned one is dropped with the file and never reaches the printer.
class CupsSpool
{
public:
    // Points the printer, which must not be printing yet, at a new spool file.
    explicit CupsSpool(QPrinter& printer);

    // Whether the printer prints through CUPS (rather than into a file of its own choosing).
    static bool Needed(const QPrinter& printer);

    // Hands the spooled printout to the printer's queue with the printer's paper, copies, collation,
    // sides and orientation. Throws EReportError when the queue refuses it.
    void Submit();

private:
    QPrinter& m_printer;
    QTemporaryFile m_file;
};
