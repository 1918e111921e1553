#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QPrintDialog;
class QPushButton;
class QToolBar;
class TQRPageStore;
class TQRPageView;
class TQuickRep;

// The print preview of a report, in English and left to right: a toolbar (zoom, paging, printer
// setup and print, save and load, close), the page view and a status bar with the progress and the
// page shown.
class TQRPreview : public QWidget
{
    Q_OBJECT

public:
    // The system dialogs the preview opens; tests put their own answers in place.
    static std::function<bool(QPrintDialog& dialog)> ExecPrintDialog;
    static std::function<QString(QWidget* parent, const QString& caption, const QString& filter)>
        SaveFileName;
    static std::function<QString(QWidget* parent, const QString& caption, const QString& filter)>
        OpenFileName;

    // The print button's request: opens a preview of the report, lays the report out into it and waits,
    // in a nested event loop, until the preview is closed (or the program ends). Does nothing while the
    // report is laying out or while a preview is open.
    static void Request(TQuickRep& report);
    // The preview open now, if any.
    static TQRPreview* Current();

    TQRPreview(TQuickRep& report, TQRPageStore& store);
    ~TQRPreview() override;

    TQRPageView* View() const { return m_view; }
    const TQRPageStore& Store() const { return m_store; }
    int PageNumber() const { return m_page; }
    QString ProgressText() const;
    QString PageText() const;
    QAction* Action(const QString& name) const;

    void ZoomToFit();
    void Zoom100();
    void ZoomToWidth();
    void ShowPage(int page);
    void FirstPage();
    void PreviousPage();
    void NextPage();
    void LastPage();
    void PrinterSetup();
    void Print();
    void SaveReport();
    void LoadReport();

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class ZoomKind
    {
        Fit,
        Width,
        Hundred
    };

    QAction* AddAction(QToolBar* bar, const QString& name, const QString& tip, int glyph,
                       void (TQRPreview::*handler)());
    // Lays the report out into the store; false when the preview was closed meanwhile.
    bool LayOut();
    void PageFinished(int page);
    void ProgressChanged(int percent);
    void LayoutFinished();
    void ApplyZoom(ZoomKind kind);
    void UpdatePageText();
    void LoadFile(const QString& fileName);

    TQuickRep& m_report;
    TQRPageStore& m_store;
    TQRPageView* m_view;
    QLabel* m_progressText;
    QLabel* m_pageText;
    QPushButton* m_close;
    ZoomKind m_zoomKind = ZoomKind::Width;
    int m_page = 1;
    int m_progressShown = 0;
    bool m_closed = false;

    static QPointer<TQRPreview> s_current;
};
