#include "TQuickRep.h"

#include "PaperSizes.h"
#include "ReportDataSet.h"
#include "ReportSurface.h"
#include "Tenths.h"

#include <QCoreApplication>
#include <QPrinterInfo>
#include <QScopeGuard>

TQuickRep::TQuickRep(QObject* owner) : QObject(owner) {}

TQuickRep::~TQuickRep() = default;

TQRBand& TQuickRep::AddBand(QString name, TQRBandType type, const std::array<double, 2>& sizeValues,
                            const QColor& color)
{
    m_bands.push_back(std::make_unique<TQRBand>(std::move(name), type, sizeValues, color));
    return *m_bands.back();
}

TQRBand* TQuickRep::Band(TQRBandType type) const
{
    for (const auto& band : m_bands) {
        if (band->BandType() == type)
            return band.get();
    }
    return nullptr;
}

TQRPrintable* TQuickRep::FindControl(const QString& name) const
{
    for (const auto& band : m_bands) {
        if (TQRPrintable* control = band->Find(name))
            return control;
    }
    return nullptr;
}

QPageSize TQuickRep::PaperInUse() const
{
    const QPageSize a4(QPageSize::A4);
    if (!PrinterSettings.OutputFileName.isEmpty())
        return a4;
    const QPrinterInfo printer = PrinterSettings.PrinterName.isEmpty()
                                     ? QPrinterInfo::defaultPrinter()
                                     : QPrinterInfo::printerInfo(PrinterSettings.PrinterName);
    if (printer.isNull())
        return a4;
    for (const QPageSize& size : printer.supportedPageSizes()) {
        if (size.id() == QPageSize::A4)
            return a4;
    }
    const QPageSize own = printer.defaultPageSize();
    return own.isValid() ? own : a4;
}

QSizeF TQuickRep::PaperTenths() const
{
    const QSizeF portrait = PaperSizes::Portrait(PaperInUse());
    return Page.Orientation == QPageLayout::Portrait ? portrait : portrait.transposed();
}

void TQuickRep::Cancel(bool abandon)
{
    if (m_layingOut)
        m_cancel = abandon ? CancelKind::Abandon : CancelKind::Stop;
}

TQuickRep::Outcome TQuickRep::LayOut(ReportSurface& surface)
{
    if (m_layingOut)
        return Outcome::Refused;
    m_layingOut = true;
    m_cancel = CancelKind::None;
    const auto idle = qScopeGuard([this] {
        m_layingOut = false;
        m_surface = nullptr;
        m_painter = nullptr;
    });

    m_page = Page;
    m_page.MakeSane();
    const QSizeF paper = PaperTenths();
    m_paperLength = paper.height();
    m_surface = &surface;
    m_painter = nullptr;
    m_position = 0;
    m_pageCount = 0;
    m_bodyOnPage = false;
    surface.BeginDocument(paper);
    try {
        RunLayout();
    } catch (...) {
        surface.AbortDocument();
        throw;
    }
    if (m_cancel == CancelKind::Abandon) {
        surface.AbortDocument();
        return Outcome::Aborted;
    }
    if (m_painter != nullptr)
        EndPage();
    surface.EndDocument();
    return m_cancel == CancelKind::Stop ? Outcome::Stopped : Outcome::Finished;
}

void TQuickRep::RunLayout()
{
    for (const auto& band : m_bands)
        band->Prepare(DataSet);
    TQRBand* detail = Band(TQRBandType::rbDetail);
    if (detail == nullptr)
        return;
    if (DataSet == nullptr || !DataSet->IsOpen()) {
        if (PrintIfEmpty)
            PlaceBand(*detail, nullptr);
        return;
    }
    DataSet->First();
    if (DataSet->Eof()) {
        if (PrintIfEmpty)
            PlaceBand(*detail, nullptr);
        return;
    }
    int count = 1;
    try {
        count = DataSet->RecordCount();
    } catch (...) {
        count = 1;
    }
    if (count <= 0)
        count = 1;
    int entries = 0;
    while (!DataSet->Eof()) {
        QCoreApplication::processEvents();
        if (m_cancel != CancelKind::None)
            return;
        ++entries;
        PlaceBand(*detail, DataSet);
        DataSet->Next();
        emit ProgressChanged(static_cast<int>(qint64(entries) * 100 / count));
    }
}

void TQuickRep::PlaceBand(TQRBand& band, const ReportDataSet* record)
{
    const double height = Tenths::Round(band.Height());
    const double spaceLeft =
        m_painter == nullptr ? 0 : Tenths::Round(m_paperLength - m_page.BottomMargin() - m_position);
    const double body = m_page.Length() - m_page.TopMargin() - m_page.BottomMargin();
    // A band taller than the page's body goes where it falls, unless the page already holds one: then
    // it begins a page of its own and is cut at the paper's foot, rather than drawn below the paper.
    const bool newPage = m_painter == nullptr || (band.BandType() != TQRBandType::rbPageFooter &&
                                                  height > spaceLeft && (height <= body || m_bodyOnPage));
    if (newPage)
        NewPage();
    band.Print(TQRPrintContext{*m_painter, QPointF(m_page.LeftMargin(), m_position), record, *m_surface});
    if (band.BandType() != TQRBandType::rbPageHeader)
        m_bodyOnPage = true;
    m_position += height;
}

void TQuickRep::NewPage()
{
    if (m_painter != nullptr)
        EndPage();
    ++m_pageCount;
    m_painter = &m_surface->BeginPage();
    emit PageStarted(m_pageCount);
    m_position = m_page.TopMargin();
    m_bodyOnPage = false;
    TQRBand* header = Band(TQRBandType::rbPageHeader);
    if (header != nullptr && (m_pageCount > 1 || (Options & FirstPageHeader)))
        PlaceBand(*header, nullptr);
}

void TQuickRep::EndPage()
{
    m_surface->EndPage();
    m_painter = nullptr;
    emit PageFinished(m_pageCount);
}
