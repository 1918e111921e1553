#pragma once

#include "TQRBand.h"
#include "TQRPage.h"
#include "TQRPrinterSettings.h"

#include <QFont>
#include <QObject>
#include <QPageSize>

#include <memory>
#include <vector>

class QPainter;
class ReportDataSet;
class ReportSurface;

// A banded report laid out over a dataset: the page header band on every page, then one detail band
// per record, each on a page of its own when the page has no room left for it.
class TQuickRep : public QObject
{
    Q_OBJECT

public:
    enum Option
    {
        FirstPageHeader = 0x1,
        LastPageFooter = 0x2
    };

    enum class Outcome
    {
        Refused,  // another layout was running
        Finished, // all records laid out, the document ended
        Stopped,  // cancelled with the pages so far kept, the document ended
        Aborted,  // cancelled and the document abandoned
    };

    explicit TQuickRep(QObject* owner = nullptr);
    ~TQuickRep() override;

    // The declared definition.
    QString ReportTitle;
    TQRPage Page;
    int Options = FirstPageHeader | LastPageFooter;
    bool PrintIfEmpty = true;
    QFont Font;
    TQRPrinterSettings PrinterSettings;
    ReportDataSet* DataSet = nullptr;

    TQRBand& AddBand(QString name, TQRBandType type, const std::array<double, 2>& sizeValues,
                     const QColor& color = Qt::white);
    TQRBand* Band(TQRBandType type) const;
    TQRPrintable* FindControl(const QString& name) const;

    // The paper a layout uses: A4 when the chosen printer offers it (or there is no printer), else the
    // printer's own paper.
    QPageSize PaperInUse() const;
    // Width and length of that paper in the report's orientation, in tenths of a millimetre.
    QSizeF PaperTenths() const;

    // Lays the report out onto the surface, walking the dataset from its first record to its end. Pending
    // events run before each record, so Cancel() can be called meanwhile.
    Outcome LayOut(ReportSurface& surface);
    bool IsLayingOut() const { return m_layingOut; }
    // Stops a running layout before its next record. With abandon set its document is aborted,
    // otherwise it ends normally with the pages laid out so far.
    void Cancel(bool abandon);

signals:
    // A page has begun (numbered from 1).
    void PageStarted(int page);
    // A page is complete (numbered from 1).
    void PageFinished(int page);
    // Records laid out so far, in per cent of the record count.
    void ProgressChanged(int percent);

private:
    enum class CancelKind
    {
        None,
        Stop,
        Abandon
    };

    void PlaceBand(TQRBand& band, const ReportDataSet* record);
    void NewPage();
    void EndPage();
    void RunLayout();

    std::vector<std::unique_ptr<TQRBand>> m_bands;
    bool m_layingOut = false;
    CancelKind m_cancel = CancelKind::None;

    // The layout in progress.
    ReportSurface* m_surface = nullptr;
    QPainter* m_painter = nullptr;
    TQRPage m_page;
    double m_paperLength = 0;
    double m_position = 0;
    int m_pageCount = 0;
    bool m_bodyOnPage = false;
};
