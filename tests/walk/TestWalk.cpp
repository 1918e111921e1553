#include "ClipboardContent.h"
#include "FileFault.h"
#include "PatternModel.h"
#include "ReportTesting.h"
#include "StoredRows.h"
#include "TestDatabase.h"
#include "TestProgram.h"

#include "TADOQuery.h"
#include "TADOTable.h"
#include "TApplication.h"
#include "TDBGrid.h"
#include "TDBMemo.h"
#include "TDBText.h"
#include "TQRPageStore.h"
#include "TQRPreview.h"
#include "TQRProgress.h"
#include "TQuickRep.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <cstdio>
#include <optional>

// A seeded random walk over the main window. Every step is one thing a reader can do; after every step
// the file is compared with what the reader has posted, and every change the reader typed is either in
// the file, still pending in its controls, or dropped by the reader's own choice. Any divergence names
// the seed and the step, so the walk can be run again to it:
//   VELNORA_WALK_STEPS=10000 VELNORA_WALK_SEED=7 test_walk
// (about 100 s for 10,000 steps; beyond that raise QtTest's own limit, e.g. QTEST_FUNCTION_TIMEOUT=3600000).
namespace {

const QString NoPhrase = QStringLiteral("لطفا عبارت مورد جستجو را وارد کنيد");
const QString NothingFound = QStringLiteral("کاربر گرامي موردي يافت نشد");
const QString Conflict = QStringLiteral("پس از خوانده شدن، آن را تغییر داده یا پاک کرده است");
const QString Closed = QStringLiteral("Cannot perform this operation on a closed dataset");

// Letters the reader types: Persian words with both forms of yeh and kaf, Latin letters and the
// characters that mean something in a LIKE pattern or a quoted statement.
const QStringList Letters{"ن", "م", "ا", "ز", "ي", "ی", "ك",  "ک", "ق",
                          " ", "a", "B", "%", "_", "'", "\"", "x"};
const QStringList Phrases{"نماز", "كتاب", "کتاب", "يقين",           "یقین",  "a_b",
                          "50%",  "%",    "_",    "it's",           "\"x\"", "'",
                          "ی%ک",  "  ",   "",     "nothing at all", "B",     "ز"};

const char* const Collection = R"(
CREATE TABLE Table1 (id INTEGER PRIMARY KEY, kholase VARCHAR(50), porsesh MEMO, pasokh MEMO, pavaraghi MEMO);
CREATE VIEW Query1 AS SELECT * FROM Table1 ORDER BY id;
INSERT INTO Table1 VALUES (1, 't1', 'نماز جمعه', 'در كتاب آمده است', 's1');
INSERT INTO Table1 VALUES (2, 't2', 'روزه مسافر', 'در کتاب فقه', 's2');
INSERT INTO Table1 VALUES (3, 't3', 'it''s a question', 'يقين و رحيم', 's3');
INSERT INTO Table1 VALUES (4, 't4', 'نماز مسافر', 'پاسخی 50% off', 's4');
INSERT INTO Table1 VALUES (5, 't5', 'حج "x"', 'a_b and axb', 's5');
INSERT INTO Table1 VALUES (6, 't6', 'زكات', 'یقین', 's6');
INSERT INTO Table1 VALUES (7, 't7', 'q7', 'a7', NULL);
INSERT INTO Table1 VALUES (8, 't8', 'q8', 'a8', 's8');
)";

enum class Action
{
    GridKey,
    GridClick,
    GridEscape,
    Type,
    EscapeMemo,
    LeaveMemo,
    Insert,
    Append,
    DeleteOk,
    DeleteCancel,
    Search,
    Next,
    Previous,
    Cancel,
    Preview,
    PrintFromPreview,
    Restart,
    Copy,
    Cut,
    Paste,
    Drop,
    CloseWithFault,
};

struct Weighted
{
    Action action;
    int weight;
    const char* name;
};

const Weighted Actions[] = {
    {Action::GridKey, 20, "key in the list"},
    {Action::GridClick, 10, "click in the list"},
    {Action::GridEscape, 4, "Escape in the list"},
    {Action::Type, 20, "type into a memo"},
    {Action::EscapeMemo, 5, "Escape in a memo"},
    {Action::LeaveMemo, 5, "leave the memo"},
    {Action::Insert, 3, "Insert"},
    {Action::Append, 3, "append"},
    {Action::DeleteOk, 2, "delete, OK"},
    {Action::DeleteCancel, 2, "delete, Cancel"},
    {Action::Search, 10, "search"},
    {Action::Next, 5, "next"},
    {Action::Previous, 5, "previous"},
    {Action::Cancel, 4, "cancel"},
    {Action::Preview, 1, "preview"},
    {Action::PrintFromPreview, 6, "print from the preview"},
    {Action::Restart, 1, "close and start again"},
    {Action::Copy, 3, "copy"},
    {Action::Cut, 3, "cut"},
    {Action::Paste, 6, "paste"},
    {Action::Drop, 3, "drag and drop"},
    {Action::CloseWithFault, 1, "close while the change cannot be saved"},
};

// What a memo shows after the step, when the step wrote into it.
bool EditsAMemo(Action action)
{
    return action == Action::Type || action == Action::Cut || action == Action::Paste ||
           action == Action::Drop;
}

// A text as a message shows it: a NUL character as \0.
QString Printable(QString text)
{
    return text.replace(QChar(0), QLatin1String("\\0"));
}

// A change the reader has typed and not yet seen in the file.
struct Pending
{
    bool inserting = false;
    qint64 key = 0;
    Entry values;
    // The values of the record as its dataset read them.
    Entry original;
    bool Changed() const { return inserting ? values != Entry{} : values != original; }
};

// A printout from the preview, and the moment at which the reader closes the preview or cancels it.
struct Printout
{
    enum class Moment
    {
        CloseBeforeItBegins,
        CloseWhileLayingOut,
        CancelWhileLayingOut,
        LetItFinish
    };
    Moment moment = Moment::LetItFinish;
    int at = 0;         // the entry after which the preview is closed or Cancel pressed
    int entries = -1;   // the search dataset's entries when Print was pressed (-1: closed)
    int laidOut = 0;    // the entries the printout laid out
    bool asked = false; // Print was pressed
    bool gaveUp = false;
};

TQRProgress* ProgressWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* progress = qobject_cast<TQRProgress*>(widget); progress != nullptr && progress->isVisible())
            return progress;
    }
    return nullptr;
}

// What a dataset holds in memory: its copy of each row, by key.
using Copies = std::map<qint64, Entry>;

class Walk
{
public:
    Walk(quint32 seed, int steps) : m_random(seed), m_seed(seed), m_steps(steps) {}

    // Runs the walk; gives an empty text, or the first divergence.
    QString Run();

private:
    struct View
    {
        TDataSet* dataSet;
        TDBGrid* grid;
        std::array<TDBMemo*, 3> memos;
    };

    bool Start();
    void Restart();
    QString Step(Action action);
    void Perform(Action action);
    QString Check(Action action, const StoredRows& before,
                  const std::array<std::optional<Pending>, 2>& pending);
    QString CheckBoxes(Action action, const StoredRows& before,
                       const std::array<std::optional<Pending>, 2>& pending, bool searchClosedBefore);
    QString CheckSearch();
    QString CheckShown();
    // Copy, cut, paste and drop in a memo or the search box, with every kind of clipboard but the
    // largest, which would slow the walk down to a crawl.
    void PerformClipboard(Action action);
    ClipboardKind PickKind();
    // Closing while a change is pending and the file has a fault: the change is made first if there is
    // none, the fault is made, and the reader answers the question OK or Cancel.
    void PrepareCloseWithFault();
    void PerformCloseWithFault();
    void EndFault();
    bool ExpectedBox(Action action, const QString& caption, const QString& text) const;
    void PrintFromPreview();
    QString CheckPrintout();
    QString PrintedFile() const { return m_printFolder.filePath(QStringLiteral("printed.pdf")); }

    bool ResultsMode() const { return m_results.grid->isVisible(); }
    const View& Shown() const { return ResultsMode() ? m_results : m_browse; }
    int Index(const TDataSet* dataSet) const { return dataSet == m_browse.dataSet ? 0 : 1; }
    std::optional<Pending> PendingOf(const View& view, const Copies& copies) const;
    Copies ReadCopies(const View& view, const Copies& previous) const;
    static std::optional<qint64> Key(TDataSet* dataSet);
    static Entry Values(TDataSet* dataSet);
    QString Text();
    int Pick(int n) { return int(m_random.bounded(quint32(n))); }
    void Key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = {});

    QRandomGenerator m_random;
    quint32 m_seed;
    int m_steps;
    std::unique_ptr<TestDatabase> m_file;
    std::unique_ptr<TestProgram> m_program;
    View m_browse{};
    View m_results{};
    StoredRows m_stored;
    std::array<Copies, 2> m_copies;
    QString m_button = QStringLiteral("OK");
    std::unique_ptr<ModalAnswer> m_boxes;
    int m_boxesSeen = 0;
    // What the step did, for the checks.
    QString m_typed;
    TDBMemo* m_memo = nullptr;
    QString m_memoBefore;
    QString m_phrase;
    int m_option = 0;
    std::optional<qint64> m_deletedKey;
    std::optional<Printout> m_printout;
    // Printouts go to a PDF file here.
    QTemporaryDir m_printFolder;
    // What happened over the walk, printed at its end.
    std::map<QString, int> m_tally;
    // The fault made for this step, and whether the reader closed without the change.
    std::unique_ptr<FileFault> m_fault;
    Fault m_faultKind = Fault::Removed;
    bool m_droppedAtClose = false;
    // What went wrong in the step itself, found while it ran.
    QString m_problem;
    // Each step printed before it runs (VELNORA_WALK_TRACE=1).
    bool m_trace = qEnvironmentVariableIsSet("VELNORA_WALK_TRACE");
};

QString Walk::Run()
{
    m_file = std::make_unique<TestDatabase>(QString::fromUtf8(Collection));
    if (!Start())
        return QStringLiteral("the window was not shown");
    m_boxes = std::make_unique<ModalAnswer>([this](QWidget* box) {
        ModalAnswer::Press(box,
                           box->windowTitle() == QLatin1String("Confirm") ? m_button : QStringLiteral("OK"));
    });
    m_stored = ReadStoredRows(m_file->Path());
    m_copies = {ReadCopies(m_browse, {}), ReadCopies(m_results, {})};

    int total = 0;
    for (const Weighted& w : Actions)
        total += w.weight;
    QString divergence;
    for (int step = 1; step <= m_steps && divergence.isEmpty(); ++step) {
        int roll = Pick(total);
        const Weighted* chosen = &Actions[0];
        for (const Weighted& w : Actions) {
            if (roll < w.weight) {
                chosen = &w;
                break;
            }
            roll -= w.weight;
        }
        if (m_trace)
            qInfo().noquote() << step << chosen->name << "browse" << int(Data->ADOaall->State())
                              << Data->ADOaall->RecNo() << "search" << int(Data->ADOQuery1->State())
                              << (Data->ADOQuery1->Active() ? Data->ADOQuery1->RecNo() : -2)
                              << (ResultsMode() ? "results" : "browse") << QApplication::focusWidget();
        divergence = Step(chosen->action);
        if (!divergence.isEmpty())
            divergence = QStringLiteral("seed %1, step %2 (%3): %4")
                             .arg(m_seed)
                             .arg(step)
                             .arg(QLatin1String(chosen->name), divergence);
    }
    QStringList tally;
    for (const auto& [what, count] : m_tally)
        tally << QStringLiteral("%1 %2").arg(what).arg(count);
    // Printed past the test log, which stops after its first thousands of messages.
    std::printf("walk of %d steps, seed %u: %s\n", m_steps, m_seed,
                qPrintable(tally.join(QStringLiteral(", "))));
    m_boxes.reset();
    delete Form3;
    Form3 = nullptr;
    m_program.reset();
    m_file.reset();
    return divergence;
}

bool Walk::Start()
{
    m_program = std::make_unique<TestProgram>();
    Form3 = new TForm3;
    Form3->QuickRep1->PrinterSettings.OutputFileName = PrintedFile();
    QWidget* window = m_program->Window();
    window->show();
    window->activateWindow();
    const auto memos = [this](const char* a, const char* b, const char* c) {
        return std::array<TDBMemo*, 3>{m_program->Control<TDBMemo>(a), m_program->Control<TDBMemo>(b),
                                       m_program->Control<TDBMemo>(c)};
    };
    m_browse = {Data->ADOaall, m_program->Control<TDBGrid>("DBGrid2"),
                memos("DBMemo1", "DBMemo2", "DBMemo3")};
    m_results = {Data->ADOQuery1, m_program->Control<TDBGrid>("DBGrid1"),
                 memos("DBMaall1", "DBMaall2", "DBMaall3")};
    return QTest::qWaitForWindowActive(window);
}

void Walk::Restart()
{
    // Closing writes what is pending, or keeps the window open when that cannot be done.
    m_program->Window()->close();
    QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
    if (m_program->Window()->isVisible()) {
        m_problem = QStringLiteral("the window stayed open though every question was answered OK");
        return;
    }
    m_droppedAtClose =
        m_boxes->Seen().mid(m_boxesSeen).contains(QStringLiteral("Confirm|") + CloseWithoutChangeQuestion);
    delete Form3;
    Form3 = nullptr;
    m_program.reset();
    Start();
}

QString Walk::Step(Action action)
{
    m_droppedAtClose = false;
    m_problem.clear();
    if (action == Action::CloseWithFault)
        PrepareCloseWithFault();
    const StoredRows before = m_stored;
    const std::array<std::optional<Pending>, 2> pending{PendingOf(m_browse, m_copies[0]),
                                                        PendingOf(m_results, m_copies[1])};
    const bool searchClosed = !Data->ADOQuery1->Active();
    m_boxesSeen = int(m_boxes->Seen().size());
    m_typed.clear();
    m_memo = nullptr;
    m_deletedKey.reset();
    m_printout.reset();
    // A box or the preview took the activation: the reader comes back to the window.
    if (QApplication::activeWindow() != m_program->Window()) {
        m_program->Window()->activateWindow();
        if (!QTest::qWaitForWindowActive(m_program->Window()))
            return QStringLiteral("the window cannot be activated again");
    }
    if (action != Action::CloseWithFault)
        m_button = action == Action::DeleteCancel ? QStringLiteral("Cancel") : QStringLiteral("OK");
    Perform(action);
    QString problem = m_problem;
    if (problem.isEmpty())
        problem = CheckBoxes(action, before, pending, searchClosed);
    if (problem.isEmpty())
        problem = Check(action, before, pending);
    if (problem.isEmpty() && action == Action::Search)
        problem = CheckSearch();
    if (problem.isEmpty() && action == Action::PrintFromPreview)
        problem = CheckPrintout();
    if (problem.isEmpty())
        problem = CheckShown();
    m_copies = {ReadCopies(m_browse, m_copies[0]), ReadCopies(m_results, m_copies[1])};
    return problem;
}

void Walk::Key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers)
{
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key(key), modifiers);
}

QString Walk::Text()
{
    QString text;
    for (int n = 1 + Pick(4); n > 0; --n)
        text += Letters.at(Pick(int(Letters.size())));
    return text;
}

void Walk::Perform(Action action)
{
    const View& view = Shown();
    switch (action) {
    case Action::GridKey: {
        static const int keys[] = {Qt::Key_Up,   Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                   Qt::Key_Home, Qt::Key_End,  Qt::Key_Tab,    Qt::Key_Backtab};
        const int key = keys[Pick(int(std::size(keys)))];
        Key(view.grid, key, Pick(5) == 0 ? Qt::ControlModifier : Qt::NoModifier);
        break;
    }
    case Action::GridClick:
        view.grid->setFocus();
        QTest::mouseClick(view.grid->viewport(), Qt::LeftButton, {},
                          view.grid->CellRect(Pick(view.grid->VisibleRowCount() + 1)).center());
        break;
    case Action::GridEscape:
        Key(view.grid, Qt::Key_Escape);
        break;
    case Action::Type: {
        m_memo = view.memos.at(std::size_t(Pick(3)));
        m_memo->setFocus();
        QTest::keyClick(m_memo, Qt::Key_End, Qt::ControlModifier);
        m_memoBefore = m_memo->toPlainText();
        m_typed = Text();
        for (const QChar c : m_typed)
            QTest::sendKeyEvent(QTest::Click, m_memo, Qt::Key(c.toUpper().unicode()), QString(c), {});
        break;
    }
    case Action::EscapeMemo:
        m_memo = view.memos.at(std::size_t(Pick(3)));
        if (QApplication::focusWidget() != m_memo)
            m_memo = nullptr;
        else
            QTest::keyClick(m_memo, Qt::Key_Escape);
        break;
    case Action::LeaveMemo:
        m_program->Control<QLineEdit>("Edit1")->setFocus();
        break;
    case Action::Insert:
        Key(view.grid, Qt::Key_Insert);
        break;
    case Action::Append:
        Key(view.grid, Qt::Key_End);
        QTest::keyClick(view.grid, Qt::Key_Down);
        break;
    case Action::DeleteOk:
    case Action::DeleteCancel:
        m_deletedKey = view.dataSet->State() == TDataSetState::dsInsert ? std::nullopt : Key(view.dataSet);
        Key(view.grid, Qt::Key_Delete, Qt::ControlModifier);
        break;
    case Action::Search: {
        m_phrase = Pick(3) == 0 ? Text() : Phrases.at(Pick(int(Phrases.size())));
        m_option = Pick(5);
        m_program->Control<QLineEdit>("Edit1")->setText(m_phrase);
        if (m_option == 1 || m_option == 2)
            m_program->Control<QRadioButton>(m_option == 1 ? "RadioButton1" : "RadioButton2")->click();
        auto* search = m_program->Control<QPushButton>("BitBtn1");
        if (search->isEnabled())
            search->click();
        break;
    }
    case Action::Next:
        m_program->Control<QPushButton>("BitBtn18")->click();
        break;
    case Action::Previous:
        m_program->Control<QPushButton>("BitBtn19")->click();
        break;
    case Action::Cancel:
        if (auto* cancel = m_program->Control<QPushButton>("BitBtn2"); cancel->isEnabled())
            cancel->click();
        break;
    case Action::Restart:
        Restart();
        ++m_tally[QStringLiteral("restarts")];
        break;
    case Action::Copy:
    case Action::Cut:
    case Action::Paste:
    case Action::Drop:
        PerformClipboard(action);
        break;
    case Action::CloseWithFault:
        PerformCloseWithFault();
        break;
    case Action::Preview: {
        auto* print = m_program->Control<QPushButton>("BitBtn3");
        if (!print->isVisible())
            break;
        // The preview waits in a nested event loop: a timer closes it once its pages are laid out.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            TQRPreview* preview = TQRPreview::Current();
            if (preview != nullptr && preview->Store().State == TQRPageStore::Status::Finished)
                preview->close();
        });
        closer.start(10);
        print->click();
        ++m_tally[QStringLiteral("previews")];
        break;
    }
    case Action::PrintFromPreview:
        PrintFromPreview();
        break;
    }
}

void Walk::PrintFromPreview()
{
    auto* print = m_program->Control<QPushButton>("BitBtn3");
    if (!print->isVisible())
        return;
    QFile::remove(PrintedFile());
    m_printout = Printout{};
    m_printout->moment = Printout::Moment(Pick(4));
    TADOQuery* search = Data->ADOQuery1;
    m_printout->at = 1 + Pick(search->Active() ? std::max(search->RecordCount(), 1) : 1);
    TQuickRep* report = Form3->QuickRep1;
    // One progress report a laid-out entry; the reader acts right after the chosen one.
    const QMetaObject::Connection entries = QObject::connect(report, &TQuickRep::ProgressChanged, [this] {
        if (!m_printout->asked || ++m_printout->laidOut != m_printout->at)
            return;
        if (m_printout->moment == Printout::Moment::CloseWhileLayingOut) {
            if (TQRPreview* preview = TQRPreview::Current())
                preview->close();
        } else if (m_printout->moment == Printout::Moment::CancelWhileLayingOut) {
            if (TQRProgress* progress = ProgressWindow())
                progress->CancelButton()->click();
        }
    });
    // The preview waits in a nested event loop: a timer presses Print once its pages are laid out,
    // and closes it when the moment comes or the printout is over.
    // The printout has begun once a page starts after Print was pressed; it may end before the timer
    // sees its progress window.
    bool begun = false;
    const QMetaObject::Connection pages =
        QObject::connect(report, &TQuickRep::PageStarted, [&] { begun = begun || m_printout->asked; });
    QElapsedTimer waiting;
    waiting.start();
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        TQRPreview* preview = TQRPreview::Current();
        if (preview == nullptr)
            return;
        if (waiting.elapsed() > 30000) {
            m_printout->gaveUp = true;
            preview->close();
            return;
        }
        if (!m_printout->asked) {
            if (preview->Store().State != TQRPageStore::Status::Finished ||
                !preview->Action(QStringLiteral("Print"))->isEnabled())
                return;
            m_printout->asked = true;
            m_printout->entries = search->Active() ? search->RecordCount() : -1;
            preview->Action(QStringLiteral("Print"))->trigger();
            if (m_printout->moment == Printout::Moment::CloseBeforeItBegins)
                preview->close();
            return;
        }
        if (begun && ProgressWindow() == nullptr && !report->IsLayingOut())
            preview->close();
    });
    driver.start(10);
    print->click();
    QObject::disconnect(entries);
    QObject::disconnect(pages);
    // A printout still asked for would begin from the event loop now.
    QTest::qWait(20);
}

QString Walk::CheckPrintout()
{
    if (!m_printout)
        return QString();
    const Printout& printout = *m_printout;
    if (printout.gaveUp)
        return QStringLiteral("the preview did not finish laying out");
    if (TQRPreview::Current() != nullptr || Form3->QuickRep1->IsLayingOut() || ProgressWindow() != nullptr)
        return QStringLiteral("the preview or its printout is still open");
    if (!printout.asked)
        return QString();
    const bool reached = printout.laidOut >= printout.at;
    const bool abandoned = printout.moment == Printout::Moment::CloseBeforeItBegins ||
                           (printout.moment == Printout::Moment::CloseWhileLayingOut && reached);
    const bool stopped = printout.moment == Printout::Moment::CancelWhileLayingOut && reached;
    const bool printed = QFile::exists(PrintedFile());
    const int pages = printed ? PdfPageCount(PrintedFile()) : 0;
    QFile::remove(PrintedFile());
    if (abandoned) {
        ++m_tally[QStringLiteral("printouts abandoned by closing the preview")];
        if (printed)
            return QStringLiteral("a printout abandoned after %1 entries was printed: %2 pages")
                .arg(printout.laidOut)
                .arg(pages);
        if (printout.moment == Printout::Moment::CloseBeforeItBegins && printout.laidOut != 0)
            return QStringLiteral("a printout abandoned before it began laid out %1 entries")
                .arg(printout.laidOut);
        return QString();
    }
    // A printout of a closed or empty dataset is one page with empty boxes.
    if (!stopped && printout.laidOut != std::max(printout.entries, 0))
        return QStringLiteral("the printout laid out %1 of %2 entries")
            .arg(printout.laidOut)
            .arg(printout.entries);
    const int expected = stopped ? printout.at : std::max(printout.entries, 1);
    if (pages != expected)
        return QStringLiteral("the printout has %1 pages instead of %2").arg(pages).arg(expected);
    ++m_tally[stopped ? QStringLiteral("printouts cancelled in the progress window")
                      : QStringLiteral("printouts finished")];
    return QString();
}

std::optional<qint64> Walk::Key(TDataSet* dataSet)
{
    if (!dataSet->Active() || dataSet->RecNo() < 0 || dataSet->FindField(QStringLiteral("id")) == nullptr)
        return std::nullopt;
    const std::optional<QString> key = dataSet->FieldValue(dataSet->FindField(QStringLiteral("id"))->Index());
    if (!key)
        return std::nullopt;
    return key->toLongLong();
}

Entry Walk::Values(TDataSet* dataSet)
{
    Entry entry;
    for (std::size_t f = 0; f < 4; ++f) {
        if (TField* field = dataSet->FindField(QLatin1String(EntryFields[f])))
            entry[f] = EntryValue(dataSet->FieldValue(field->Index()));
    }
    return entry;
}

Copies Walk::ReadCopies(const View& view, const Copies& previous) const
{
    Copies copies;
    TDataSet* dataSet = view.dataSet;
    if (!dataSet->Active() || dataSet->FindField(QStringLiteral("id")) == nullptr)
        return copies;
    const bool changing =
        dataSet->State() == TDataSetState::dsEdit || dataSet->State() == TDataSetState::dsInsert;
    for (int row = 0; row < dataSet->RowCount(); ++row) {
        TDataSet::RowReader reader(*dataSet, row);
        const std::optional<QString> key =
            dataSet->FieldValue(dataSet->FindField(QStringLiteral("id"))->Index());
        if (!key)
            continue;
        const qint64 id = key->toLongLong();
        // While a record changes, the value it was read with is the one kept before.
        if (changing && row == dataSet->CurrentRow()) {
            if (previous.count(id) != 0)
                copies[id] = previous.at(id);
            continue;
        }
        copies[id] = Values(dataSet);
    }
    return copies;
}

std::optional<Pending> Walk::PendingOf(const View& view, const Copies& copies) const
{
    TDataSet* dataSet = view.dataSet;
    if (dataSet->State() != TDataSetState::dsEdit && dataSet->State() != TDataSetState::dsInsert)
        return std::nullopt;
    Pending pending;
    pending.inserting = dataSet->State() == TDataSetState::dsInsert;
    pending.values = Values(dataSet);
    // A memo's typed text is part of the change even before the memo writes it back.
    for (std::size_t m = 0; m < 3; ++m)
        pending.values[m + 1] = view.memos[m]->toPlainText();
    if (!pending.inserting) {
        pending.key = Key(dataSet).value_or(0);
        pending.original = copies.count(pending.key) != 0 ? copies.at(pending.key) : Entry{};
    }
    return pending;
}

QString Walk::CheckBoxes(Action action, const StoredRows& before,
                         const std::array<std::optional<Pending>, 2>& pending, bool searchClosedBefore)
{
    // A post meets a conflict only where the row changed since its dataset read it, or is gone.
    const auto stale = [&](const std::optional<Pending>& change) {
        if (!change || change->inserting)
            return false;
        if (before.count(change->key) == 0)
            return true;
        for (std::size_t f = 0; f < 4; ++f) {
            if (change->values[f] != change->original[f] &&
                !SameValue(change->original[f], before.at(change->key)[f]))
                return true;
        }
        return false;
    };
    // Settling both datasets (closing) writes the search dataset's change first, which may make the
    // browse dataset's change of the same entry a conflict.
    const bool sameEntry = pending[0] && pending[1] && !pending[0]->inserting && !pending[1]->inserting &&
                           pending[0]->key == pending[1]->key;
    const bool conflictPossible =
        stale(pending[0]) || stale(pending[1]) || (sameEntry && action == Action::Restart) ||
        ((action == Action::DeleteOk) && m_deletedKey && before.count(*m_deletedKey) == 0);
    const QStringList seen = m_boxes->Seen().mid(m_boxesSeen);
    for (const QString& box : seen) {
        ++m_tally[QStringLiteral("box ") + box.section(QLatin1Char('|'), 1).left(40)];
        const QString caption = box.section(QLatin1Char('|'), 0, 0);
        const QString text = box.section(QLatin1Char('|'), 1);
        if (ExpectedBox(action, caption, text))
            continue;
        if (caption == QLatin1String("Confirm") && text == QLatin1String("Delete record?") &&
            (action == Action::DeleteOk || action == Action::DeleteCancel))
            continue;
        if (caption == QLatin1String("Information") && (text == NoPhrase || text == NothingFound) &&
            action == Action::Search)
            continue;
        if (caption == Application->Title() && text.contains(Conflict) && conflictPossible)
            continue;
        if (caption == Application->Title() &&
            text == QStringLiteral("ADOQuery1: ") + Closed + QLatin1Char('.') && searchClosedBefore &&
            (action == Action::Next || action == Action::Previous || action == Action::Search))
            continue;
        return QStringLiteral("unexpected box: ") + box;
    }
    return QString();
}

QString Walk::Check(Action action, const StoredRows& before,
                    const std::array<std::optional<Pending>, 2>& pending)
{
    const StoredRows now = ReadStoredRows(m_file->Path());
    const View* views[2] = {&m_browse, &m_results};
    // Every change of the file is a change the reader made.
    std::array<bool, 2> posted{false, false};
    for (const auto& [key, entry] : now) {
        const auto old = before.find(key);
        if (old != before.end() && old->second == entry)
            continue;
        bool explained = false;
        if (old == before.end()) {
            for (std::size_t d = 0; d < 2 && !explained; ++d) {
                explained = pending[d] && !posted[d] && pending[d]->inserting && pending[d]->values == entry;
                posted[d] = posted[d] || explained;
            }
            m_tally[QStringLiteral("rows inserted")] += explained ? 1 : 0;
        } else {
            // Both datasets may have written fields of the same entry in one step (closing settles both).
            const auto writer = [&](std::size_t d) {
                return pending[d] && !pending[d]->inserting && pending[d]->key == key;
            };
            explained = writer(0) || writer(1);
            for (std::size_t f = 0; f < 4 && explained; ++f)
                explained = entry[f] == old->second[f] || (writer(0) && entry[f] == pending[0]->values[f]) ||
                            (writer(1) && entry[f] == pending[1]->values[f]);
            for (std::size_t d = 0; d < 2 && explained; ++d) {
                if (!writer(d))
                    continue;
                bool all = true;
                for (std::size_t f = 0; f < 4; ++f)
                    all = all && (pending[d]->values[f] == pending[d]->original[f] ||
                                  entry[f] == pending[d]->values[f]);
                posted[d] = posted[d] || all;
            }
            m_tally[QStringLiteral("rows updated")] += explained ? 1 : 0;
        }
        if (!explained)
            return QStringLiteral("the file holds entry %1 as nobody wrote it: %2")
                .arg(key)
                .arg(QStringList(entry.begin(), entry.end()).join(QLatin1Char('|')));
    }
    for (const auto& [key, entry] : before) {
        if (now.count(key) == 0 && !(action == Action::DeleteOk && m_deletedKey == key))
            return QStringLiteral("entry %1 disappeared from the file").arg(key);
    }
    if (now.size() < before.size())
        ++m_tally[QStringLiteral("rows deleted")];
    if (action == Action::DeleteCancel && now.size() != before.size())
        return QStringLiteral("Cancel deleted an entry");

    // Every change typed is in the file, or still pending where the reader left it, or dropped by the
    // reader's own choice.
    for (std::size_t d = 0; d < 2; ++d) {
        const std::optional<Pending>& change = pending[d];
        if (!change || !change->Changed() || posted[d])
            continue;
        const View& view = *views[d];
        const bool dropped = (action == Action::GridEscape && &Shown() == &view) ||
                             (action == Action::DeleteOk && &Shown() == &view) || m_droppedAtClose;
        if (dropped) {
            ++m_tally[QStringLiteral("changes dropped by the reader")];
            continue;
        }
        if (!change->inserting && now.count(change->key) != 0) {
            bool inFile = true;
            for (std::size_t f = 0; f < 4; ++f)
                inFile = inFile && (change->values[f] == change->original[f] ||
                                    now.at(change->key)[f] == change->values[f]);
            if (inFile && view.dataSet->State() == TDataSetState::dsBrowse)
                continue;
        }
        const TDataSetState expected = change->inserting ? TDataSetState::dsInsert : TDataSetState::dsEdit;
        if (view.dataSet->State() != expected)
            return QStringLiteral("a typed change of %1 is neither saved nor pending")
                .arg(view.dataSet->objectName());
        if (!change->inserting && Key(view.dataSet) != change->key)
            return QStringLiteral("%1 is changing another entry than the one typed into")
                .arg(view.dataSet->objectName());
        for (std::size_t m = 0; m < 3; ++m) {
            if (view.memos[m] == m_memo)
                continue;
            if (view.memos[m]->toPlainText() != change->values[m + 1])
                return QStringLiteral("%1 lost its typed text: %2 instead of %3")
                    .arg(view.memos[m]->objectName(), view.memos[m]->toPlainText(), change->values[m + 1]);
        }
    }

    if (EditsAMemo(action) && m_memo != nullptr) {
        const TDataSet* dataSet =
            m_memo == m_browse.memos[0] || m_memo == m_browse.memos[1] || m_memo == m_browse.memos[2]
                ? m_browse.dataSet
                : m_results.dataSet;
        if (dataSet->Active() && m_memo->toPlainText() != m_memoBefore + m_typed)
            return QStringLiteral("%1 shows %2 after %3 was typed after %4")
                .arg(m_memo->objectName(), Printable(m_memo->toPlainText()), Printable(m_typed),
                     Printable(m_memoBefore));
    }
    if (action == Action::EscapeMemo && m_memo != nullptr) {
        const View& view = Shown();
        TDataSet* dataSet = view.dataSet;
        for (std::size_t m = 0; m < 3; ++m) {
            TField* field = dataSet->FindField(QLatin1String(EntryFields[m + 1]));
            if (view.memos[m] == m_memo && field != nullptr && m_memo->toPlainText() != field->AsString())
                return QStringLiteral("Escape left %1 showing %2, not the field's %3")
                    .arg(m_memo->objectName(), m_memo->toPlainText(), field->AsString());
        }
    }
    m_stored = now;
    return QString();
}

QString Walk::CheckSearch()
{
    if (m_boxes->Seen().size() > m_boxesSeen &&
        !m_boxes->Seen().at(m_boxesSeen).startsWith(QLatin1String("Information|")))
        return QString();
    auto* search = m_program->Control<QPushButton>("BitBtn1");
    if (!search->isEnabled() || m_phrase.isEmpty() || (m_option != 1 && m_option != 2))
        return QString();
    const std::size_t field = m_option == 1 ? 1 : 2;
    int expected = 0;
    for (const auto& [key, entry] : m_stored)
        expected += !entry[field].isNull() && PhraseFound(m_phrase, entry[field]) ? 1 : 0;
    const QStringList seen = m_boxes->Seen().mid(m_boxesSeen);
    if (expected == 0) {
        if (seen != QStringList{QStringLiteral("Information|") + NothingFound})
            return QStringLiteral("'%1' should find nothing; boxes: %2")
                .arg(m_phrase, seen.join(QLatin1Char(';')));
        if (ResultsMode() || Data->ADOQuery1->Active())
            return QStringLiteral("an empty result did not return to browsing");
        return QString();
    }
    if (!seen.isEmpty())
        return QStringLiteral("'%1' found entries, yet a box said %2")
            .arg(m_phrase, seen.join(QLatin1Char(';')));
    ++m_tally[QStringLiteral("searches with results")];
    const QString count = m_program->Control<QLabel>("Label11")->text();
    if (count != QString::number(expected) || Data->ADOQuery1->RecordCount() != expected || !ResultsMode())
        return QStringLiteral("'%1' in field %2 should find %3 entries; the window says %4")
            .arg(m_phrase, QLatin1String(EntryFields[field]))
            .arg(expected)
            .arg(count);
    return QString();
}

QString Walk::CheckShown()
{
    // A browsing dataset's controls show its current record.
    const View& view = Shown();
    TDataSet* dataSet = view.dataSet;
    if (!dataSet->Active() || dataSet->State() != TDataSetState::dsBrowse)
        return QString();
    for (std::size_t m = 0; m < 3; ++m) {
        TField* field = dataSet->FindField(QLatin1String(EntryFields[m + 1]));
        const QString value = field != nullptr && dataSet->RecNo() > 0 ? field->AsString() : QString();
        if (view.memos[m]->toPlainText() != value &&
            !(dataSet == m_results.dataSet && Data->ADOaall->RecNo() < 0))
            return QStringLiteral("%1 shows %2 while its record holds %3")
                .arg(view.memos[m]->objectName(), view.memos[m]->toPlainText(), value);
    }
    return QString();
}

ClipboardKind Walk::PickKind()
{
    ClipboardKind kind = ClipboardKind::TenMegabytes;
    while (kind == ClipboardKind::TenMegabytes)
        kind = AllClipboardKinds.at(std::size_t(Pick(int(AllClipboardKinds.size()))));
    return kind;
}

void Walk::PerformClipboard(Action action)
{
    const View& view = Shown();
    auto* search = m_program->Control<QLineEdit>("Edit1");
    if (action == Action::Paste && Pick(5) == 0) {
        // The search box takes the clipboard's text at its end.
        const QString before = search->text();
        if (Pick(2) == 0)
            SetClipboard(PickKind());
        const QString text = QGuiApplication::clipboard()->text();
        search->setFocus();
        search->end(false);
        QTest::keyClick(search, Qt::Key_V, Qt::ControlModifier);
        ++m_tally[QStringLiteral("pastes into the search box")];
        if (search->text() != before + text)
            m_problem = QStringLiteral("the search box shows %1 after %2 was pasted after %3")
                            .arg(search->text(), text, before);
        return;
    }
    m_memo = view.memos.at(std::size_t(Pick(3)));
    m_memo->setFocus();
    m_memo->moveCursor(QTextCursor::End);
    m_memoBefore = m_memo->toPlainText();
    switch (action) {
    case Action::Copy:
    case Action::Cut: {
        // The last letters are chosen, copied or cut.
        const int chosen = std::min(int(m_memoBefore.size()), Pick(4));
        QTextCursor selection = m_memo->textCursor();
        selection.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor, chosen);
        m_memo->setTextCursor(selection);
        const bool typeable = !m_memo->isReadOnly() || m_memo->DataLink().CanModify();
        if (action == Action::Copy) {
            QTest::keyClick(m_memo, Qt::Key_C, Qt::ControlModifier);
            m_memo = nullptr;
            ++m_tally[QStringLiteral("copies")];
            break;
        }
        QTest::keyClick(m_memo, Qt::Key_X, Qt::ControlModifier);
        if (typeable)
            m_memoBefore.chop(chosen);
        ++m_tally[QStringLiteral("cuts")];
        break;
    }
    case Action::Paste:
        // Often what was copied or cut last, else any kind of clipboard.
        if (Pick(3) != 0)
            SetClipboard(PickKind());
        m_typed = m_memo->DataLink().CanModify() ? QGuiApplication::clipboard()->text() : QString();
        if (Pick(2) == 0)
            QTest::keyClick(m_memo, Qt::Key_V, Qt::ControlModifier);
        else
            QTest::keyClick(m_memo, Qt::Key_Insert, Qt::ShiftModifier);
        ++m_tally[QStringLiteral("pastes")];
        break;
    case Action::Drop: {
        // A memo takes a drop only while its entry is being edited.
        const ClipboardKind kind = PickKind();
        const std::unique_ptr<QMimeData> data(ClipboardContent(kind));
        const QString dropped = m_memo->isReadOnly() ? QString() : TextOfClipboard(kind);
        DragAndDrop(m_memo->viewport(), m_memo->cursorRect().center(), data.get());
        ++m_tally[QStringLiteral("drops")];
        // The text goes in where it falls, which in a line mixing both directions need not be the end;
        // the cursor stands after it.
        const QString now = m_memo->toPlainText();
        const qsizetype at = m_memo->textCursor().position() - dropped.size();
        const bool inserted = dropped.isEmpty()
                                  ? now == m_memoBefore
                                  : at >= 0 && now.mid(at, dropped.size()) == dropped &&
                                        now.left(at) + now.mid(at + dropped.size()) == m_memoBefore;
        if (!inserted)
            m_problem =
                QStringLiteral("%1 shows %2 after %3 was dropped on %4")
                    .arg(m_memo->objectName(), Printable(now), Printable(dropped), Printable(m_memoBefore));
        m_memoBefore = now;
        break;
    }
    default:
        break;
    }
}

void Walk::PrepareCloseWithFault()
{
    m_fault.reset();
    const View& view = Shown();
    if (!view.dataSet->Active())
        return;
    const auto editing = [](TDataSet* dataSet) {
        return dataSet->State() == TDataSetState::dsEdit || dataSet->State() == TDataSetState::dsInsert;
    };
    if (!editing(m_browse.dataSet) && !editing(m_results.dataSet)) {
        TDBMemo* memo = view.memos.at(std::size_t(Pick(3)));
        memo->setFocus();
        memo->moveCursor(QTextCursor::End);
        for (const QChar c : Text())
            QTest::sendKeyEvent(QTest::Click, memo, Qt::Key(c.toUpper().unicode()), QString(c), {});
        if (!editing(view.dataSet))
            return;
    }
    // The entry another program changes or deletes: the one being edited, the search dataset's first.
    std::optional<qint64> key;
    for (const View* v : {&m_results, &m_browse}) {
        if (!key && v->dataSet->State() == TDataSetState::dsEdit)
            key = Key(v->dataSet);
    }
    m_faultKind = AllFaults.at(std::size_t(Pick(int(AllFaults.size()))));
    if (!key && (m_faultKind == Fault::ChangedElsewhere || m_faultKind == Fault::DeletedElsewhere))
        m_faultKind = Fault::ReadOnly;
    if (m_faultKind == Fault::DiskFull) {
        // A change that needs new pages of the file.
        const View& changing = editing(m_results.dataSet) ? m_results : m_browse;
        TDBMemo* memo = changing.memos.at(std::size_t(Pick(3)));
        if (changing.grid->isVisible()) {
            memo->setFocus();
            memo->moveCursor(QTextCursor::End);
            memo->insertPlainText(QString(20000, QChar(0x0646)));
        }
    }
    m_fault = std::make_unique<FileFault>(m_faultKind, m_file->Path(), key.value_or(0));
    if (m_faultKind == Fault::ChangedElsewhere || m_faultKind == Fault::DeletedElsewhere)
        m_stored = ReadStoredRows(m_file->Path());
    ++m_tally[QStringLiteral("faults: ") + FaultName(m_faultKind)];
}

void Walk::PerformCloseWithFault()
{
    if (!m_fault)
        return;
    m_button = Pick(2) == 0 ? QStringLiteral("OK") : QStringLiteral("Cancel");
    const auto close = [this] {
        if (Pick(2) == 0) {
            m_program->Window()->windowHandle()->close();
        } else {
            auto* picture = m_program->Control<QWidget>("Image3");
            QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
        }
        QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
    };
    close();
    const QStringList seen = m_boxes->Seen().mid(m_boxesSeen);
    const bool asked = seen.contains(QStringLiteral("Confirm|") + CloseWithoutChangeQuestion);
    const bool refused = std::any_of(seen.begin(), seen.end(), [](const QString& box) {
        return box.startsWith(Application->Title() + QLatin1Char('|'));
    });
    if (refused && !asked)
        m_problem = QStringLiteral("the change could not be saved, and the window stayed without a question");
    if (m_program->Window()->isVisible()) {
        ++m_tally[QStringLiteral("closes cancelled")];
        // The change stays pending; where the file cannot be mended while the program has it open, the
        // reader closes again, without the change.
        if (m_fault->Mendable() || m_faultKind != Fault::Removed) {
            EndFault();
            return;
        }
        m_button = QStringLiteral("OK");
        close();
    }
    if (m_program->Window()->isVisible())
        return;
    m_droppedAtClose = asked;
    ++m_tally[asked ? QStringLiteral("closes without the change")
                    : QStringLiteral("closes saving the change")];
    EndFault();
    delete Form3;
    Form3 = nullptr;
    m_program.reset();
    Start();
}

void Walk::EndFault()
{
    if (!m_fault)
        return;
    m_fault->Mend();
    m_fault.reset();
}

bool Walk::ExpectedBox(Action action, const QString& caption, const QString& text) const
{
    // Closing while a change cannot be saved: the refusal, then the question whether to close without it.
    const bool closing = action == Action::CloseWithFault || action == Action::Restart;
    if (closing && caption == QLatin1String("Confirm") && text == CloseWithoutChangeQuestion)
        return true;
    return action == Action::CloseWithFault && caption == Application->Title() &&
           (text.contains(FaultMessage(m_faultKind)) || text.contains(Conflict));
}

int Setting(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

class TestWalk : public QObject
{
    Q_OBJECT

private slots:
    void randomWalk();
};

void TestWalk::randomWalk()
{
    const int steps = Setting("VELNORA_WALK_STEPS", 400);
    const auto seed = quint32(Setting("VELNORA_WALK_SEED", 20261210));
    Walk walk(seed, steps);
    const QString divergence = walk.Run();
    QVERIFY2(divergence.isEmpty(), qPrintable(divergence));
}

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Application->Initialize();
    TestWalk test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestWalk.moc"
