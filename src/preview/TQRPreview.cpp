#include "TQRPreview.h"

#include "Exceptions.h"
#include "PictureSurface.h"
#include "PreviewGlyphs.h"
#include "ReportPrinter.h"
#include "TQRPageStore.h"
#include "TQRPageView.h"
#include "TQRReportFile.h"
#include "TQuickRep.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

using PreviewGlyphs::Glyph;

namespace {

const QString ReportFilter = QStringLiteral("Report files (*.QRP)");

bool RunPrintDialog(QPrintDialog& dialog)
{
    // Centred across the screen, a third of the way down the free space.
    if (const QScreen* screen = dialog.screen()) {
        const QRect area = screen->availableGeometry();
        const QSize size = dialog.sizeHint();
        dialog.move(area.left() + (area.width() - size.width()) / 2,
                    area.top() + (area.height() - size.height()) / 3);
    }
    return dialog.exec() == QDialog::Accepted;
}

// The name of a report file, as typed or chosen; empty when the dialog is cancelled. The dialog
// judges nothing itself: loading a name that does not exist is told by the preview, and saving
// replaces an existing file without a question.
QString AskReportFile(QWidget* parent, const QString& caption, const QString& filter,
                      QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

std::function<bool(QPrintDialog&)> TQRPreview::ExecPrintDialog = RunPrintDialog;
std::function<QString(QWidget*, const QString&, const QString&)> TQRPreview::SaveFileName =
    [](QWidget* parent, const QString& caption, const QString& filter) {
        return AskReportFile(parent, caption, filter, QFileDialog::AcceptSave);
    };
std::function<QString(QWidget*, const QString&, const QString&)> TQRPreview::OpenFileName =
    [](QWidget* parent, const QString& caption, const QString& filter) {
        return AskReportFile(parent, caption, filter, QFileDialog::AcceptOpen);
    };

QPointer<TQRPreview> TQRPreview::s_current;

void TQRPreview::Request(TQuickRep& report)
{
    QCoreApplication::processEvents();
    if (report.IsLayingOut() || s_current != nullptr)
        return;
    TQRPageStore store;
    store.PrinterSettings = report.PrinterSettings;
    store.Title = report.ReportTitle;
    QPointer<TQRPreview> window = new TQRPreview(report, store);
    window->showMaximized();
    if (window->LayOut() && !window->m_closed) {
        QEventLoop loop;
        connect(window, &TQRPreview::Closed, &loop, &QEventLoop::quit);
        connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
        loop.exec();
    }
    delete window;
}

TQRPreview* TQRPreview::Current()
{
    return s_current;
}

TQRPreview::TQRPreview(TQuickRep& report, TQRPageStore& store)
    : QWidget(nullptr, Qt::Window), m_report(report), m_store(store), m_view(new TQRPageView(this)),
      m_progressText(new QLabel(QStringLiteral("0%"))), m_pageText(new QLabel(QStringLiteral("Page"))),
      m_close(new QPushButton(QStringLiteral("&Close")))
{
    s_current = this;
    setObjectName(QStringLiteral("QRPreview"));
    setLayoutDirection(Qt::LeftToRight);
    setWindowTitle(report.ReportTitle.isEmpty() ? QStringLiteral("Print Preview") : report.ReportTitle);
    setFocusPolicy(Qt::StrongFocus);

    auto* bar = new QToolBar(this);
    bar->setIconSize(QSize(16, 16));
    bar->setContentsMargins(2, 2, 2, 2);
    bar->addSeparator();
    auto* zoom = new QActionGroup(this);
    for (QAction* action : {AddAction(bar, QStringLiteral("ZoomToFit"), QStringLiteral("Zoom to fit"),
                                      int(Glyph::ZoomToFit), &TQRPreview::ZoomToFit),
                            AddAction(bar, QStringLiteral("Zoom100"), QStringLiteral("100%"),
                                      int(Glyph::Zoom100), &TQRPreview::Zoom100),
                            AddAction(bar, QStringLiteral("ZoomToWidth"), QStringLiteral("Zoom to width"),
                                      int(Glyph::ZoomToWidth), &TQRPreview::ZoomToWidth)}) {
        action->setCheckable(true);
        zoom->addAction(action);
    }
    Action(QStringLiteral("ZoomToWidth"))->setChecked(true);
    bar->addSeparator();
    AddAction(bar, QStringLiteral("FirstPage"), QStringLiteral("First page"), int(Glyph::FirstPage),
              &TQRPreview::FirstPage);
    AddAction(bar, QStringLiteral("PreviousPage"), QStringLiteral("Previous page"), int(Glyph::PreviousPage),
              &TQRPreview::PreviousPage);
    AddAction(bar, QStringLiteral("NextPage"), QStringLiteral("Next page"), int(Glyph::NextPage),
              &TQRPreview::NextPage);
    AddAction(bar, QStringLiteral("LastPage"), QStringLiteral("Last page"), int(Glyph::LastPage),
              &TQRPreview::LastPage);
    bar->addSeparator();
    AddAction(bar, QStringLiteral("PrinterSetup"), QStringLiteral("Printer setup"), int(Glyph::PrinterSetup),
              &TQRPreview::PrinterSetup)
        ->setEnabled(false);
    AddAction(bar, QStringLiteral("Print"), QStringLiteral("Print"), int(Glyph::Print), &TQRPreview::Print)
        ->setEnabled(m_store.State == TQRPageStore::Status::Finished);
    bar->addSeparator();
    AddAction(bar, QStringLiteral("SaveReport"), QStringLiteral("Save Report"), int(Glyph::Save),
              &TQRPreview::SaveReport);
    AddAction(bar, QStringLiteral("LoadReport"), QStringLiteral("Load Report"), int(Glyph::Load),
              &TQRPreview::LoadReport);
    bar->addSeparator();
    m_close->setObjectName(QStringLiteral("CloseButton"));
    m_close->setFixedSize(40, 22);
    m_close->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(m_close);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    for (QWidget* child : bar->findChildren<QWidget*>())
        child->setFocusPolicy(Qt::NoFocus);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    m_progressText->setObjectName(QStringLiteral("ProgressPanel"));
    m_progressText->setMinimumWidth(40);
    m_progressText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pageText->setObjectName(QStringLiteral("PagePanel"));
    m_pageText->setMinimumWidth(50);
    status->addWidget(m_progressText);
    status->addWidget(m_pageText, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_view, 1);
    layout->addWidget(status);

    const QSizeF paper = report.PaperTenths();
    m_view->SetPageSize(
        QSize(qRound(paper.width() * logicalDpiX() / 254.0), qRound(paper.height() * logicalDpiY() / 254.0)));
    connect(m_view, &TQRPageView::Resized, this, [this] {
        if (m_zoomKind != ZoomKind::Hundred)
            ApplyZoom(m_zoomKind);
    });

    resize(652, 579);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
    UpdatePageText();
}

TQRPreview::~TQRPreview() = default;

QAction* TQRPreview::AddAction(QToolBar* bar, const QString& name, const QString& tip, int glyph,
                               void (TQRPreview::*handler)())
{
    QAction* action = bar->addAction(PreviewGlyphs::Icon(static_cast<Glyph>(glyph)), tip);
    action->setObjectName(name);
    action->setToolTip(tip);
    connect(action, &QAction::triggered, this,
            [this, handler] { Guarded(this, [&] { (this->*handler)(); }); });
    return action;
}

QAction* TQRPreview::Action(const QString& name) const
{
    return findChild<QAction*>(name);
}

QString TQRPreview::ProgressText() const
{
    return m_progressText->text();
}

QString TQRPreview::PageText() const
{
    return m_pageText->text();
}

bool TQRPreview::LayOut()
{
    m_store.State = TQRPageStore::Status::LayingOut;
    m_store.Dpi = QPicture().logicalDpiX();
    PictureSurface surface([this](const QPicture& page, const QSize& size) {
        m_store.PageSize = size;
        m_store.AddPage(page);
    });
    const QList<QMetaObject::Connection> connections{
        connect(&m_report, &TQuickRep::PageStarted, this, [this](int page) { m_store.PagesBegun = page; }),
        connect(&m_report, &TQuickRep::PageFinished, this, &TQRPreview::PageFinished, Qt::QueuedConnection),
        connect(&m_report, &TQuickRep::ProgressChanged, this,
                [this](int percent) { m_store.Progress = percent; }),
        connect(&m_report, &TQuickRep::ProgressChanged, this, &TQRPreview::ProgressChanged,
                Qt::QueuedConnection),
    };
    TQuickRep::Outcome outcome = TQuickRep::Outcome::Aborted;
    Guarded(this, [&] { outcome = m_report.LayOut(surface); });
    for (const QMetaObject::Connection& connection : connections)
        disconnect(connection);
    if (outcome == TQuickRep::Outcome::Aborted || outcome == TQuickRep::Outcome::Refused) {
        m_store.Clear();
        return false;
    }
    m_store.State = TQRPageStore::Status::Finished;
    QMetaObject::invokeMethod(this, &TQRPreview::LayoutFinished, Qt::QueuedConnection);
    return true;
}

void TQRPreview::LayoutFinished()
{
    if (m_store.Loaded)
        return;
    Action(QStringLiteral("PrinterSetup"))->setEnabled(true);
    Action(QStringLiteral("Print"))->setEnabled(true);
    UpdatePageText();
}

void TQRPreview::PageFinished(int page)
{
    if (m_store.Loaded)
        return;
    if (page == m_page) {
        ApplyZoom(ZoomKind::Width);
        Action(QStringLiteral("ZoomToWidth"))->setChecked(true);
        ShowPage(m_page);
    }
    UpdatePageText();
}

void TQRPreview::ProgressChanged(int percent)
{
    if (m_store.Loaded)
        return;
    if (percent <= 0 || percent >= 100) {
        m_progressText->clear();
        m_progressShown = percent;
    } else if (percent - m_progressShown >= 5) {
        m_progressText->setText(QString::number(percent) + QLatin1Char('%'));
        m_progressShown = percent;
    }
}

void TQRPreview::UpdatePageText()
{
    m_pageText->setText(QStringLiteral("Page %1 of %2").arg(m_page).arg(m_store.PagesBegun));
}

void TQRPreview::ApplyZoom(ZoomKind kind)
{
    m_view->SetPageSize(m_store.PageSize);
    int zoom = 100;
    if (kind == ZoomKind::Fit)
        zoom = m_view->FitZoom();
    else if (kind == ZoomKind::Width)
        zoom = m_view->WidthZoom();
    if (m_view->SetZoom(zoom))
        m_zoomKind = kind;
}

void TQRPreview::ZoomToFit()
{
    ApplyZoom(ZoomKind::Fit);
}

void TQRPreview::Zoom100()
{
    ApplyZoom(ZoomKind::Hundred);
}

void TQRPreview::ZoomToWidth()
{
    ApplyZoom(ZoomKind::Width);
}

void TQRPreview::ShowPage(int page)
{
    if (page < 1 || page > m_store.PagesBegun)
        return;
    m_page = page;
    if (page <= m_store.PageCount()) {
        const QPicture picture = m_store.Page(page);
        m_view->SetPageSize(m_store.PageSize);
        m_view->SetPicture(&picture);
    } else {
        m_view->SetPicture(nullptr);
    }
    m_view->ScrollHome();
    UpdatePageText();
}

void TQRPreview::FirstPage()
{
    ShowPage(1);
}

void TQRPreview::PreviousPage()
{
    ShowPage(m_page - 1);
}

void TQRPreview::NextPage()
{
    ShowPage(m_page + 1);
}

void TQRPreview::LastPage()
{
    ShowPage(m_store.PagesBegun);
}

void TQRPreview::PrinterSetup()
{
    TQRPrinterSettings& settings = m_report.PrinterSettings;
    QPrinter printer(QPrinter::HighResolution);
    if (!settings.OutputFileName.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(settings.OutputFileName);
    } else if (!settings.PrinterName.isEmpty()) {
        printer.setPrinterName(settings.PrinterName);
    }
    printer.setCopyCount(settings.Copies);
    printer.setPageOrientation(settings.Orientation);
    const int pages = std::max(m_store.PageCount(), 1);
    QPrintDialog dialog(&printer, this);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (!ExecPrintDialog(dialog))
        return;
    if (settings.OutputFileName.isEmpty())
        settings.PrinterName = printer.printerName();
    settings.Copies = printer.copyCount();
    settings.Orientation = printer.pageLayout().orientation();
    if (printer.printRange() == QPrinter::PageRange) {
        settings.FirstPage = printer.fromPage();
        settings.LastPage = printer.toPage();
    } else {
        settings.FirstPage = 0;
        settings.LastPage = 0;
    }
    m_report.Page.Orientation = settings.Orientation;
}

void TQRPreview::Print()
{
    if (m_store.Loaded) {
        ReportPrinter::PrintPages(m_store);
        return;
    }
    // A preview closed before the request is carried out has abandoned it.
    QPointer<TQRPreview> self(this);
    TQuickRep* report = &m_report;
    QTimer::singleShot(0, report, [self, report] {
        if (self == nullptr || self->m_closed)
            return;
        Guarded(report, [&] { ReportPrinter::PrintReport(*report, self.data()); });
    });
}

void TQRPreview::SaveReport()
{
    QString fileName = SaveFileName(this, QStringLiteral("Save report"), ReportFilter);
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".QRP");
    if (m_store.State != TQRPageStore::Status::Finished) {
        QMessageBox::information(this, QStringLiteral("Information"),
                                 QStringLiteral("The report is still being prepared; nothing was saved."));
        return;
    }
    TQRReportFile::Save(m_store, fileName);
}

void TQRPreview::LoadReport()
{
    const QString fileName = OpenFileName(this, QStringLiteral("Load report"), ReportFilter);
    if (fileName.isEmpty())
        return;
    if (!QFile::exists(fileName)) {
        QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                        QStringLiteral("File does not exist"), QMessageBox::Ok, this);
        box.exec();
        return;
    }
    LoadFile(fileName);
}

void TQRPreview::LoadFile(const QString& fileName)
{
    if (m_store.State == TQRPageStore::Status::LayingOut)
        throw EReportError(QStringLiteral("The report is still being prepared; nothing was loaded"));
    TQRReportFile::Load(fileName, m_store);
    Action(QStringLiteral("PrinterSetup"))->setEnabled(false);
    Action(QStringLiteral("Print"))->setEnabled(true);
    m_progressText->clear();
    m_page = 1;
    ApplyZoom(m_zoomKind);
    ShowPage(1);
}

void TQRPreview::closeEvent(QCloseEvent* event)
{
    if (m_store.State == TQRPageStore::Status::LayingOut)
        m_report.Cancel(true);
    ReportPrinter::AbandonFor(this, m_report);
    m_closed = true;
    s_current = nullptr;
    event->accept();
    emit Closed();
}

void TQRPreview::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() == Qt::ControlModifier;
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    Guarded(this, [&] {
        switch (event->key()) {
        case Qt::Key_Escape:
            close();
            break;
        case Qt::Key_PageUp:
            if (control)
                FirstPage();
            else if (plain)
                PreviousPage();
            break;
        case Qt::Key_PageDown:
            if (control)
                LastPage();
            else if (plain)
                NextPage();
            break;
        case Qt::Key_Home:
            FirstPage();
            break;
        case Qt::Key_End:
            LastPage();
            break;
        default:
            QWidget::keyPressEvent(event);
            break;
        }
    });
}
