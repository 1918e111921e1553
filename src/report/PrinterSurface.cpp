#include "PrinterSurface.h"

#include "Exceptions.h"

#include <QPrinter>

PrinterSurface::PrinterSurface(QPrinter& printer, int firstPage, int lastPage)
    : m_printer(printer), m_first(firstPage), m_last(lastPage)
{
}

bool PrinterSurface::InRange(int page) const
{
    if (m_first <= 0 && m_last <= 0)
        return true;
    return page >= m_first && (m_last <= 0 || page <= m_last);
}

void PrinterSurface::BeginDocument(const QSizeF&)
{
    m_page = 0;
    m_sent = 0;
}

QPainter& PrinterSurface::BeginPage()
{
    ++m_page;
    if (!InRange(m_page)) {
        m_discard = QPicture();
        m_discardPainter.begin(&m_discard);
        return m_discardPainter;
    }
    if (m_sent == 0) {
        if (!m_painter.begin(&m_printer))
            throw EReportError(QStringLiteral("The printer \"%1\" cannot be used").arg(m_printer.printerName()));
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
    if (m_painter.isActive())
        m_painter.end();
}

void PrinterSurface::AbortDocument()
{
    if (m_discardPainter.isActive())
        m_discardPainter.end();
    if (m_painter.isActive()) {
        m_printer.abort();
        m_painter.end();
    }
}
