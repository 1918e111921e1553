#pragma once

#include <QPageLayout>
#include <QPrinter>
#include <QString>

// The printer settings a report keeps between printouts.
struct TQRPrinterSettings
{
    // Empty: the system's default printer.
    QString PrinterName;
    // When set, printouts go to this PDF file instead of a printer.
    QString OutputFileName;
    int Copies = 1;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    // 0 and 0: all pages.
    int FirstPage = 0;
    int LastPage = 0;
    QPrinter::PaperSource PaperSource = QPrinter::Auto;
    QPrinter::DuplexMode Duplex = QPrinter::DuplexNone;

    bool InRange(int page) const { return FirstPage <= 0 || (page >= FirstPage && (LastPage <= 0 || page <= LastPage)); }
};
