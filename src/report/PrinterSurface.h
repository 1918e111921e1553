#pragma once

#include "ReportSurface.h"

#include <QPainter>
#include <QPicture>

#include <memory>

class CupsSpool;
class QPrinter;

// Sends pages to a printer (or to a PDF file through one). Positions are measured from the paper's
// edge: the printer's unprintable margin at the left and top is taken off each. Pages outside the
// page range are laid out but not sent. A CUPS printer gets the printout only when the document ends:
// an aborted document reaches no printer.
class PrinterSurface : public ReportSurface
{
public:
    // The range is inclusive; 0 and 0 mean every page.
    PrinterSurface(QPrinter& printer, int firstPage, int lastPage);
    ~PrinterSurface() override;

    void BeginDocument(const QSizeF& paper) override;
    QPainter& BeginPage() override;
    void EndPage() override;
    void EndDocument() override;
    void AbortDocument() override;

    int PagesSent() const { return m_sent; }

private:
    QPrinter& m_printer;
    int m_first;
    int m_last;
    int m_page = 0;
    int m_sent = 0;
    QPainter m_painter;
    std::unique_ptr<CupsSpool> m_spool;
    // Where pages outside the range are drawn.
    QPicture m_discard;
    QPainter m_discardPainter;
};
