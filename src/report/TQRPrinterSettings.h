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

    bool InRange(int page) const { return PageInRange(page, FirstPage, LastPage); }

    // Whether a page lies in an inclusive range where 0 and 0 mean every page.
    static bool PageInRange(int page, int first, int last)
    {
        if (first <= 0 && last <= 0)
            return true;
        return page >= first && (last <= 0 || page <= last);
    }
};
