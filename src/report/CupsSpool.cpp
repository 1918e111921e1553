#include "CupsSpool.h"

#include "Exceptions.h"

#include <QDir>
#include <QFile>
#include <QPrinter>

#include <cups/cups.h>

namespace {

QString Cause(const QString& printer)
{
    return QStringLiteral("The printer \"%1\" cannot be used").arg(printer);
}

} // namespace

CupsSpool::CupsSpool(QPrinter& printer)
    : m_printer(printer), m_file(QDir(QDir::tempPath()).filePath(QStringLiteral("velnora-print-XXXXXX")))
{
    // The engine opens the file by its name; asking for the name also makes Qt give the file one.
    if (!m_file.open() || m_file.fileName().isEmpty())
        throw EReportError(Cause(printer.printerName()) +
                           QStringLiteral(": no spool file can be made in %1")
                               .arg(QDir::toNativeSeparators(QDir::tempPath())));
    m_file.close();
    // A name without the .pdf suffix keeps the printer's own engine, with its paper and margins.
    m_printer.setOutputFileName(m_file.fileName());
}

bool CupsSpool::Needed(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty() &&
           !printer.printerName().isEmpty();
}

void CupsSpool::Submit()
{
    // A destination may be an instance ("queue/instance"): the job goes to the queue, with the
    // instance's saved options under the printout's own.
    const QString name = m_printer.printerName();
    const QByteArray queue = name.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = name.section(QLatin1Char('/'), 1).toLocal8Bit();
    cups_option_t* options = nullptr;
    int count = 0;
    if (cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                             instance.isEmpty() ? nullptr : instance.constData())) {
        for (int i = 0; i < dest->num_options; ++i)
            count = cupsAddOption(dest->options[i].name, dest->options[i].value, count, &options);
        cupsFreeDests(1, dest);
    }
    const QPageLayout layout = m_printer.pageLayout();
    count = cupsAddOption("media", layout.pageSize().key().toLocal8Bit().constData(), count, &options);
    const int copies = m_printer.copyCount();
    count = cupsAddOption("copies", QByteArray::number(std::max(copies, 1)).constData(), count, &options);
    if (copies > 1)
        count = cupsAddOption("Collate", m_printer.collateCopies() ? "True" : "False", count, &options);
    const char* sides = "one-sided";
    switch (m_printer.duplex()) {
    case QPrinter::DuplexNone:
        break;
    case QPrinter::DuplexAuto:
        sides =
            layout.orientation() == QPageLayout::Portrait ? "two-sided-long-edge" : "two-sided-short-edge";
        break;
    case QPrinter::DuplexLongSide:
        sides = "two-sided-long-edge";
        break;
    case QPrinter::DuplexShortSide:
        sides = "two-sided-short-edge";
        break;
    }
    count = cupsAddOption("sides", sides, count, &options);
    if (layout.orientation() == QPageLayout::Landscape)
        count = cupsAddOption("landscape", "", count, &options);
    const int job = cupsPrintFile(queue.constData(), QFile::encodeName(m_file.fileName()).constData(),
                                  m_printer.docName().toLocal8Bit().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0)
        throw EReportError(Cause(name) +
                           QStringLiteral(": %1").arg(QString::fromLocal8Bit(cupsLastErrorString())));
}
