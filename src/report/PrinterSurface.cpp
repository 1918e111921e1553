#include "PrinterSurface.h"

#include "CupsSpool.h"
#include "Exceptions.h"
#include "TQRPrinterSettings.h"

#include <QFile>
#include <QPrinter>

PrinterSurface::PrinterSurface(QPrinter& printer, int firstPage, int lastPage)
    : m_printer(printer), m_first(firstPage), m_last(lastPage)
{}

PrinterSurface::~PrinterSurface() = default;

void PrinterSurface::BeginDocument(const QSizeF&)
{
    m_page = 0;
    m_sent = 0;
}

QPainter& PrinterSurface::BeginPage()
{
    ++m_page;
    if (!TQRPrinterSettings::PageInRange(m_page, m_first, m_last)) {
        m_discard = QPicture();
        m_discardPainter.begin(&m_discard);
        return m_discardPainter;
    }
    if (m_sent == 0) {
        if (CupsSpool::Needed(m_printer))
            m_spool = std::make_unique<CupsSpool>(m_printer);
        if (!m_painter.begin(&m_printer))
            throw EReportError(
                QStringLiteral("The printer \"%1\" cannot be used").arg(m_printer.printerName()));
    } else {
        m_printer.newPage();
    }
    ++m_sent;
    m_painter.save();
    const QRectF paper = m_printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = m_printer.pageRect(QPrinter::DevicePixel);
    m_painter.translate(paper.topLeft() - printable.topLeft());
    return m_painter;
}

void PrinterSurface::EndPage()
{
    if (m_discardPainter.isActive()) {
        m_discardPainter.end();
        return;
    }
    m_painter.restore();
}

void PrinterSurface::EndDocument()
{
    if (m_painter.isActive() && !m_painter.end())
        throw EReportError(
            QStringLiteral("The printout for \"%1\" cannot be written").arg(m_printer.printerName()));
    if (m_spool) {
        m_spool->Submit();
        m_spool.reset();
    }
}

void PrinterSurface::AbortDocument()
{
    if (m_discardPainter.isActive())
        m_discardPainter.end();
    if (m_painter.isActive()) {
        const bool aborted = m_printer.abort();
        m_painter.end();
        // A PDF writer cannot abandon its file; what it wrote is removed instead. A spooled printout
        // goes with its spool file.
        if (!aborted && !m_spool && m_printer.outputFormat() == QPrinter::PdfFormat)
            QFile::remove(m_printer.outputFileName());
    }
    m_spool.reset();
}
