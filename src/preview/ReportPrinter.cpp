#include "ReportPrinter.h"

#include "PrinterSurface.h"
#include "TQRPageStore.h"
#include "TQRProgress.h"
#include "TQuickRep.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>

QPointer<QObject> ReportPrinter::s_owner;

std::unique_ptr<QPrinter> ReportPrinter::MakePrinter(const TQRPrinterSettings& settings,
                                                     const QPageSize& paper, const QString& documentName)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!settings.OutputFileName.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(settings.OutputFileName);
        printer->setPageSize(paper);
    } else {
        QPrinterInfo info = settings.PrinterName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                           : QPrinterInfo::printerInfo(settings.PrinterName);
        if (info.isNull())
            info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return nullptr;
        printer->setPrinterName(info.printerName());
        for (const QPageSize& offered : info.supportedPageSizes()) {
            if (offered.id() == paper.id())
                printer->setPageSize(offered);
        }
    }
    printer->setPageOrientation(settings.Orientation);
    printer->setCopyCount(std::max(settings.Copies, 1));
    printer->setPaperSource(settings.PaperSource);
    printer->setDuplex(settings.Duplex);
    printer->setDocName(documentName);
    return printer;
}

int ReportPrinter::PrintReport(TQuickRep& report, QObject* owner)
{
    if (report.IsLayingOut())
        return 0;
    TQRPrinterSettings settings = report.PrinterSettings;
    settings.Orientation = report.Page.Orientation;
    const std::unique_ptr<QPrinter> printer = MakePrinter(settings, report.PaperInUse(), report.ReportTitle);
    if (!printer)
        return 0;
    TQRProgress progress;
    progress.show();
    s_owner = owner;
    const auto done = qScopeGuard([] { s_owner = nullptr; });
    QObject::connect(&progress, &TQRProgress::CancelRequested, &report, [&report] { report.Cancel(false); });
    QObject::connect(&report, &TQuickRep::ProgressChanged, &progress, &TQRProgress::SetProgress,
                     Qt::QueuedConnection);
    PrinterSurface surface(*printer, settings.FirstPage, settings.LastPage);
    report.LayOut(surface);
    return surface.PagesSent();
}

void ReportPrinter::AbandonFor(const QObject* owner, TQuickRep& report)
{
    if (s_owner != nullptr && s_owner == owner)
        report.Cancel(true);
}

int ReportPrinter::PrintPages(const TQRPageStore& store)
{
    if (store.PageCount() == 0)
        return 0;
    // The paper of the stored pages, by their size: a known paper where it matches one.
    const QSizeF millimetres(store.PageSize.width() * 25.4 / store.Dpi,
                             store.PageSize.height() * 25.4 / store.Dpi);
    const bool landscape = millimetres.width() > millimetres.height();
    const QPageSize paper(landscape ? millimetres.transposed() : millimetres, QPageSize::Millimeter,
                          QString(), QPageSize::FuzzyMatch);
    TQRPrinterSettings settings = store.PrinterSettings;
    settings.Orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    const std::unique_ptr<QPrinter> printer = MakePrinter(settings, paper, store.Title);
    if (!printer)
        return 0;
    QPainter painter;
    int sent = 0;
    for (int number = 1; number <= store.PageCount(); ++number) {
        if (!settings.InRange(number))
            continue;
        if (sent == 0 ? !painter.begin(printer.get()) : !printer->newPage())
            break;
        ++sent;
        const QPicture page = store.Page(number);
        // drawPicture maps the picture's resolution onto the printer's; what is left is the stretch
        // from the paper onto the printable area.
        const QRectF printable = printer->pageRect(QPrinter::DevicePixel);
        const double naturalWidth = store.PageSize.width() * printer->logicalDpiX() / double(store.Dpi);
        const double naturalHeight = store.PageSize.height() * printer->logicalDpiY() / double(store.Dpi);
        painter.save();
        painter.scale(printable.width() / naturalWidth, printable.height() / naturalHeight);
        painter.drawPicture(0, 0, page);
        painter.restore();
    }
    if (painter.isActive())
        painter.end();
    return sent;
}
