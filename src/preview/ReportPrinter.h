#pragma once

#include "TQRPrinterSettings.h"

#include <QPageSize>
#include <QPointer>

#include <memory>

class QPrinter;
class TQRPageStore;
class TQuickRep;

// Printing a report: laid out again straight onto the printer, or the stored pages of a report file.
class ReportPrinter
{
public:
    // A printer set up from the settings: the chosen printer (the system's default when none is chosen),
    // copies, orientation, paper source and duplex, the paper when the printer offers it. None when
    // no printer is installed and the settings name no PDF file.
    static std::unique_ptr<QPrinter> MakePrinter(const TQRPrinterSettings& settings, const QPageSize& paper,
                                                 const QString& documentName);

    // Lays the report out from its dataset as it is now onto its printer, with the printing progress
    // window; the owner may abandon it (AbandonFor). Nothing happens while the report is laying out
    // or when no printer is installed. Returns the pages sent.
    static int PrintReport(TQuickRep& report, QObject* owner);
    // Abandons the print job started for this owner, if it is still being laid out.
    static void AbandonFor(const QObject* owner, TQuickRep& report);

    // Prints stored pages, each stretched over the printer's printable area, within the settings'
    // page range. Returns the pages sent.
    static int PrintPages(const TQRPageStore& store);

private:
    static QPointer<QObject> s_owner;
};
