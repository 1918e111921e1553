#include "TestDatabase.h"
#include "TestProgram.h"

#include "TADOQuery.h"
#include "TADOTable.h"
#include "TApplication.h"
#include "TDBGrid.h"
#include "TDBMemo.h"
#include "TDBText.h"
#include "TDataSource.h"
#include "TQRPreview.h"
#include "Unit2.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

namespace {

const QString NoPhrase = QStringLiteral("لطفا عبارت مورد جستجو را وارد کنيد");
const QString NothingFound = QStringLiteral("کاربر گرامي موردي يافت نشد");
const QString Prompt = QStringLiteral("جستجو...");

// Titles t1..t6; the questions and answers hold the phrases the searches look for, written with the
// Arabic letter forms in some entries and the Persian ones in others.
const char* const Collection = R"(
CREATE TABLE Table1 (id INTEGER PRIMARY KEY, kholase VARCHAR(50), porsesh MEMO, pasokh MEMO, pavaraghi MEMO);
CREATE VIEW Query1 AS SELECT * FROM Table1 ORDER BY id;
INSERT INTO Table1 VALUES (1, 't1', 'نماز جمعه چیست؟', 'پاسخ در كتاب آمده است', 's1');
INSERT INTO Table1 VALUES (2, 't2', 'روزه مسافر', 'در کتاب فقه ۱۲ مسئله', 's2');
INSERT INTO Table1 VALUES (3, 't3', 'it''s a question', 'رحمٰن و رحيم', 's3');
INSERT INTO Table1 VALUES (4, 't4', 'نماز مسافر', 'پاسخی دیگر 50% off', 's4');
INSERT INTO Table1 VALUES (5, 't5', 'حج', 'a_b and  two blanks', 's5');
INSERT INTO Table1 VALUES (6, 't6', 'زكات', 'axb', 's6');
)";

// The window of a running program over the collection above.
struct SearchWindow
{
    SearchWindow() : database(QString::fromUtf8(Collection))
    {
        program = std::make_unique<TestProgram>();
        program->Window()->show();
        QVERIFY(QTest::qWaitForWindowExposed(program->Window()));
    }
    template <class T = QWidget>
    T* C(const char* name) const
    {
        return program->Control<T>(name);
    }
    QLineEdit* Box() const { return C<QLineEdit>("Edit1"); }
    // Types the phrase, chooses the option (1 questions, 2 answers, 0 none) and presses search.
    void Search(const QString& phrase, int option)
    {
        Box()->setText(phrase);
        if (option != 0)
            C<QRadioButton>(option == 1 ? "RadioButton1" : "RadioButton2")->click();
        C<QPushButton>("BitBtn1")->click();
    }
    QString Statement() const
    {
        return Data->ADOQuery1->SQL().Count() ? Data->ADOQuery1->SQL()[0] : QString();
    }
    bool Shown(const char* name) const { return C(name)->isVisibleTo(program->Window()); }
    QStringList ShownOf(const QStringList& names) const
    {
        QStringList shown;
        for (const QString& name : names) {
            if (Shown(qPrintable(name)))
                shown << name;
        }
        return shown;
    }

    TestDatabase database;
    std::unique_ptr<TestProgram> program;
};

const QStringList ModeControls{"DBGrid2", "DBText1", "DBMemo1",  "DBMemo2",  "DBMemo3",
                               "DBGrid1", "DBaall",  "DBMaall1", "DBMaall2", "DBMaall3",
                               "BitBtn3", "Panel8",  "Label10",  "Label11",  "Label12"};
const QStringList BrowseMode{"DBGrid2", "DBText1", "DBMemo1", "DBMemo2", "DBMemo3"};
const QStringList ResultsMode{"DBGrid1", "DBaall", "DBMaall1", "DBMaall2", "DBMaall3",
                              "BitBtn3", "Panel8", "Label10",  "Label11",  "Label12"};

// The colour at the visible left end of a list row's data cell, where the right-aligned titles do
// not reach.
QColor RowColour(TDBGrid* grid, int row)
{
    const QRect cell = grid->CellRect(row);
    return grid->viewport()->grab().toImage().pixelColor(qMax(cell.left(), 0) + 3, cell.center().y());
}

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void searches_data();
    void searches();
    void emptyBoxChangesNothingInEitherMode();
    void newSearchReplacesResults();
    void emptyResultReturnsToBrowseAndSearchesThePromptNext();
    void cancelLeavesResultsControlsCovered();
    void searchWithoutOptionAfterCancel();
    void enterInTheSearchBoxCancels();
    void nextAndPreviousStopAtTheEnds();
    void searchedMemoMarksThePhrase();
    void pendingEditIsPostedBeforeANewSearch();
    void failingPostStopsTheSearch();
    void rowColours();
    void resultsListScrollBarFollowsEverySearch();
    void printButtonOpensOnePreviewOfTheResults();
    void informationBoxesAreCentredOnTheScreen_data();
    void informationBoxesAreCentredOnTheScreen();
};

void TestSearch::searches_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("titles");
    const QString q = "SELECT * FROM  Table1 where porsesh like ";
    const QString a = "SELECT * FROM  Table1 where pasokh like ";
    QTest::newRow("many in questions") << "نماز" << 1 << q + "'%نماز%'" << QStringList{"t1", "t4"};
    QTest::newRow("one in answers") << "رحيم" << 2 << a + "'%رحيم%'" << QStringList{"t3"};
    QTest::newRow("quote doubled") << "it's" << 1 << q + "'%it''s%'" << QStringList{"t3"};
    QTest::newRow("percent is a pattern") << "50%f" << 2 << a + "'%50%f%'" << QStringList{"t4"};
    QTest::newRow("underscore is a pattern") << "a_b" << 2 << a + "'%a_b%'" << QStringList{"t5", "t6"};
    QTest::newRow("blanks are a phrase") << "  " << 2 << a + "'%  %'" << QStringList{"t5"};
    QTest::newRow("persian kaf finds arabic") << "کتاب" << 2 << a + "'%کتاب%'" << QStringList{"t1", "t2"};
    QTest::newRow("arabic kaf finds persian") << "كتاب" << 2 << a + "'%كتاب%'" << QStringList{"t1", "t2"};
    QTest::newRow("persian yeh finds arabic") << "رحیم" << 2 << a + "'%رحیم%'" << QStringList{"t3"};
    QTest::newRow("digits and diacritics") << "فقه 12" << 2 << a + "'%فقه 12%'" << QStringList{"t2"};
    QTest::newRow("superscript alef ignored") << "رحمن" << 2 << a + "'%رحمن%'" << QStringList{"t3"};
    QTest::newRow("colon and semicolon reach the database") << "x:y;" << 1 << q + "'%x:y;%'" << QStringList{};
}

void TestSearch::searches()
{
    QFETCH(QString, phrase);
    QFETCH(int, option);
    QFETCH(QString, statement);
    QFETCH(QStringList, titles);
    SearchWindow window;
    ModalAnswer boxes([](QWidget* box) { ModalAnswer::Press(box, "OK"); });
    window.Search(phrase, option);
    QCOMPARE(window.Statement().isEmpty() ? statement : window.Statement(), statement);
    if (titles.isEmpty()) {
        QTRY_COMPARE(boxes.Seen(), QStringList{"Information|" + NothingFound});
        const QStringList covered = BrowseMode + QStringList{"DBMaall1", "DBMaall2", "DBMaall3", "Panel8"};
        QCOMPARE(window.ShownOf(ModeControls), covered);
        QVERIFY(!Data->ADOQuery1->Active());
        return;
    }
    QCOMPARE(boxes.Seen(), QStringList{});
    QCOMPARE(window.Statement(), statement);
    QCOMPARE(window.ShownOf(ModeControls), ResultsMode);
    QCOMPARE(window.C<QLabel>("Label11")->text(), QString::number(titles.size()));
    QCOMPARE(window.C<QLabel>("Label11")->geometry().right() + 1, 147);
    QStringList found;
    for (Data->ADOQuery1->First(); !Data->ADOQuery1->Eof(); Data->ADOQuery1->Next())
        found << Data->ADOQuery1->FieldByName("kholase")->AsString();
    QCOMPARE(found, titles);
}

void TestSearch::emptyBoxChangesNothingInEitherMode()
{
    SearchWindow window;
    ModalAnswer boxes([](QWidget* box) { ModalAnswer::Press(box, "OK"); });
    window.Search("", 1);
    QTRY_COMPARE(boxes.Seen(), QStringList{"Information|" + NoPhrase});
    QCOMPARE(window.ShownOf(ModeControls), BrowseMode);
    QCOMPARE(Data->ADOQuery1->RecordCount(), 6);

    window.Search("نماز", 1);
    window.Search("", 2);
    QTRY_COMPARE(boxes.Seen().size(), 2);
    QCOMPARE(boxes.Seen().last(), "Information|" + NoPhrase);
    QCOMPARE(window.ShownOf(ModeControls), ResultsMode);
    QCOMPARE(Data->ADOQuery1->RecordCount(), 2);
}

void TestSearch::newSearchReplacesResults()
{
    SearchWindow window;
    window.Search("نماز", 1);
    Data->ADOQuery1->Next();
    window.Search("حج", 1);
    QCOMPARE(window.C<QLabel>("Label11")->text(), QStringLiteral("1"));
    QCOMPARE(Data->ADOQuery1->RecNo(), 1);
    QCOMPARE(window.C<TDBMemo>("DBMaall1")->toPlainText(), QStringLiteral("حج"));
}

void TestSearch::emptyResultReturnsToBrowseAndSearchesThePromptNext()
{
    SearchWindow window;
    ModalAnswer boxes([](QWidget* box) { ModalAnswer::Press(box, "OK"); });
    window.Search("نماز", 1);
    window.Search("nothing like this", 1);
    QTRY_COMPARE(boxes.Seen().size(), 1);
    QCOMPARE(window.Box()->text(), Prompt);
    QVERIFY(!window.Shown("BitBtn3"));
    QVERIFY(window.C<QRadioButton>("RadioButton1")->isChecked());
    QVERIFY(window.C<QPushButton>("BitBtn1")->isEnabled());
    // The box is not cleared: the next search looks for the prompt itself.
    window.C<QPushButton>("BitBtn1")->click();
    QTRY_COMPARE(boxes.Seen().size(), 2);
    QCOMPARE(window.Statement(), QString());
    QVERIFY(!Data->ADOQuery1->Active());
}

void TestSearch::cancelLeavesResultsControlsCovered()
{
    SearchWindow window;
    window.Search("نماز", 1);
    Data->ADOQuery1->Next();
    window.C<QPushButton>("BitBtn2")->click();
    const QStringList covered =
        BrowseMode + QStringList{"DBGrid1", "DBMaall1", "DBMaall2", "DBMaall3", "Panel8"};
    QCOMPARE(window.ShownOf(ModeControls), covered);
    QVERIFY(!window.C<QRadioButton>("RadioButton1")->isChecked());
    QVERIFY(!window.C<QRadioButton>("RadioButton2")->isChecked());
    QVERIFY(window.C<QPushButton>("BitBtn1")->isEnabled());
    QVERIFY(window.C<QPushButton>("BitBtn2")->isEnabled());
    QCOMPARE(window.Box()->text(), Prompt);
    // The search dataset keeps its results and its current record.
    QCOMPARE(Data->ADOQuery1->RecordCount(), 2);
    QCOMPARE(Data->ADOQuery1->RecNo(), 2);
    // Tab still reaches the covered results memos: from the search box backwards.
    window.Box()->setFocus();
    QTest::keyClick(window.Box(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), window.C("DBMaall3"));
}

void TestSearch::searchWithoutOptionAfterCancel()
{
    SearchWindow window;
    ModalAnswer boxes([](QWidget* box) { ModalAnswer::Press(box, "OK"); });
    window.Search("نماز", 1);
    window.C<QPushButton>("BitBtn2")->click();
    // Records held: nothing happens.
    window.Search("حج", 0);
    QCOMPARE(Data->ADOQuery1->RecordCount(), 2);
    QCOMPARE(boxes.Seen(), QStringList{});

    // After an empty result and a cancel the dataset is closed: reading its count fails.
    window.Search("nothing like this", 1);
    QTRY_COMPARE(boxes.Seen().size(), 1);
    window.C<QPushButton>("BitBtn2")->click();
    window.Search("حج", 0);
    QTRY_COMPARE(boxes.Seen().size(), 2);
    QCOMPARE(boxes.Seen().last(),
             Application->Title() + "|ADOQuery1: Cannot perform this operation on a closed dataset.");
    // The step buttons, reached from the keyboard, report the same.
    window.C<QPushButton>("BitBtn18")->click();
    QTRY_COMPARE(boxes.Seen().size(), 3);
    QCOMPARE(boxes.Seen().last(), boxes.Seen().at(1));
}

void TestSearch::enterInTheSearchBoxCancels()
{
    SearchWindow window;
    window.Search("کتاب", 2);
    window.Box()->setFocus();
    QTest::keyClick(window.Box(), Qt::Key_Return);
    QCOMPARE(window.Box()->text(), Prompt);
    QCOMPARE(window.ShownOf(BrowseMode), BrowseMode);
    QVERIFY(!window.C<QRadioButton>("RadioButton2")->isChecked());
    // Enter with a modifier is not the default button's.
    window.Box()->setText("x");
    QTest::keyClick(window.Box(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(window.Box()->text(), QStringLiteral("x"));
}

void TestSearch::nextAndPreviousStopAtTheEnds()
{
    SearchWindow window;
    window.Search("کتاب", 2);
    auto* next = window.C<QPushButton>("BitBtn18");
    auto* previous = window.C<QPushButton>("BitBtn19");
    auto* title = window.C<TDBText>("DBaall");
    previous->click();
    QCOMPARE(Data->ADOQuery1->RecNo(), 1);
    next->click();
    QCOMPARE(Data->ADOQuery1->RecNo(), 2);
    QCOMPARE(title->Text(), QStringLiteral("t2"));
    next->click();
    next->click();
    QCOMPARE(Data->ADOQuery1->RecNo(), 2);
    QVERIFY(Data->ADOQuery1->Eof());
    previous->click();
    QCOMPARE(title->Text(), QStringLiteral("t1"));
}

// The texts marked in a memo, in order.
QStringList Marked(const TDBMemo* memo)
{
    QStringList marked;
    for (const QTextEdit::ExtraSelection& mark : memo->extraSelections())
        marked << mark.cursor.selectedText();
    return marked;
}

void TestSearch::searchedMemoMarksThePhrase()
{
    SearchWindow window;
    auto* question = window.C<TDBMemo>("DBMaall1");
    auto* answer = window.C<TDBMemo>("DBMaall2");
    window.Search("کتاب", 2);
    // The Arabic kaf of the first entry is found and marked; the text and the file stay as they were.
    QCOMPARE(Marked(answer), QStringList{QStringLiteral("كتاب")});
    QCOMPARE(Marked(question), QStringList());
    QCOMPARE(answer->toPlainText(), QStringLiteral("پاسخ در كتاب آمده است"));
    QVERIFY(!answer->textCursor().hasSelection());
    QVERIFY(!answer->Modified());
    window.C<QPushButton>("BitBtn18")->click();
    QCOMPARE(Marked(answer), QStringList{QStringLiteral("کتاب")});
    QCOMPARE(Data->ADOQuery1->State(), TDataSetState::dsBrowse);
    // Typing takes the marks away and keeps what was typed.
    answer->setFocus();
    QTest::keyClick(answer, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(answer, QStringLiteral("x"));
    QCOMPARE(Marked(answer), QStringList());
    QVERIFY(answer->toPlainText().endsWith(QLatin1Char('x')));
    QTest::keyClick(answer, Qt::Key_Escape);
    // A search of the questions marks the question memo only; browse mode marks nothing.
    window.Search("نماز", 1);
    QCOMPARE(Marked(question), QStringList{QStringLiteral("نماز")});
    QCOMPARE(Marked(answer), QStringList());
    window.C<QPushButton>("BitBtn2")->click();
    QCOMPARE(Marked(question), QStringList());
    for (const char* browse : {"DBMemo1", "DBMemo2", "DBMemo3"})
        QCOMPARE(Marked(window.C<TDBMemo>(browse)), QStringList());
}

void TestSearch::pendingEditIsPostedBeforeANewSearch()
{
    SearchWindow window;
    window.Search("حج", 1);
    auto* answer = window.C<TDBMemo>("DBMaall2");
    answer->setFocus();
    QTest::keyClicks(answer, "Z");
    window.Search("نماز", 1);
    QCOMPARE(window.database.Value("SELECT pasokh FROM Table1 WHERE id = 5").value_or(QString()),
             QStringLiteral("Za_b and  two blanks"));
}

void TestSearch::failingPostStopsTheSearch()
{
    SearchWindow window;
    ModalAnswer boxes([](QWidget* box) { ModalAnswer::Press(box, "OK"); });
    window.Search("حج", 1);
    auto* answer = window.C<TDBMemo>("DBMaall2");
    answer->setFocus();
    QTest::keyClicks(answer, "Z");
    // Another program changes the same entry meanwhile.
    window.database.Execute("UPDATE Table1 SET pasokh = 'changed' WHERE id = 5");
    window.Search("نماز", 1);
    QTRY_COMPARE(boxes.Seen().size(), 1);
    QVERIFY(boxes.Seen().first().startsWith(Application->Title() + "|"));
    QCOMPARE(answer->toPlainText(), QStringLiteral("Za_b and  two blanks"));
    QCOMPARE(window.C<QLabel>("Label11")->text(), QStringLiteral("1"));
    QCOMPARE(window.database.Value("SELECT pasokh FROM Table1 WHERE id = 5").value_or(QString()),
             QStringLiteral("changed"));
}

void TestSearch::resultsListScrollBarFollowsEverySearch()
{
    // The list shows its vertical scroll bar while it holds two or more entries, after each search anew.
    SearchWindow window;
    auto* list = window.C<TDBGrid>("DBGrid1");
    const std::pair<const char*, int> searches[] = {{"حج", 1}, {"%", 6}, {"نماز", 2}, {"زكات", 1}, {"حج", 1}};
    for (const auto& [phrase, found] : searches) {
        window.Search(QString::fromUtf8(phrase), 1);
        QCOMPARE(Data->ADOQuery1->RecordCount(), found);
        QTRY_COMPARE(list->verticalScrollBar()->isVisible(), found >= 2);
    }
}

void TestSearch::rowColours()
{
    SearchWindow window;
    auto* grid = window.C<TDBGrid>("DBGrid2");
    const QColor cyan(227, 251, 253), yellow(253, 254, 226), green(166, 249, 185);
    const auto colours = [&] {
        QList<QColor> seen;
        for (int row = 0; row < 4; ++row)
            seen << RowColour(grid, row);
        return seen;
    };
    QCOMPARE(colours(), (QList<QColor>{green, yellow, cyan, yellow}));
    // The current entry stays green without the focus, and colours follow the record number.
    Data->ADOaall->Next();
    window.Box()->setFocus();
    QCOMPARE(colours(), (QList<QColor>{cyan, green, cyan, yellow}));
    // While inserting every record number reads -1: all rows cyan, the new one green.
    Data->ADOaall->Insert();
    const QList<QColor> inserting = colours();
    QCOMPARE(inserting.count(cyan), 3);
    QCOMPARE(inserting.count(green), 1);
    Data->ADOaall->Cancel();

    window.Search("نماز", 1);
    auto* results = window.C<TDBGrid>("DBGrid1");
    QCOMPARE(RowColour(results, 0), green);
    QCOMPARE(RowColour(results, 1), yellow);
    // Text is orange: its darkest pixels are the text colour, whatever the smoothing of its edges.
    const QImage image = results->viewport()->grab().toImage();
    const QRect text = results->CellRect(1).intersected(image.rect());
    bool orange = false;
    for (int x = text.left(); x <= text.right() && !orange; ++x) {
        for (int y = text.top(); y <= text.bottom() && !orange; ++y) {
            const QColor c = image.pixelColor(x, y);
            orange = c.red() > 200 && c.green() > 120 && c.green() < 175 && c.blue() < 110;
        }
    }
    QVERIFY(orange);
}

void TestSearch::printButtonOpensOnePreviewOfTheResults()
{
    SearchWindow window;
    window.Search("نماز", 1);
    auto* print = window.C<QPushButton>("BitBtn3");
    QStringList seen;
    // Looks in until the preview has laid out both pages, then looks at the window and closes the preview.
    QTimer watcher;
    watcher.callOnTimeout([&] {
        TQRPreview* preview = TQRPreview::Current();
        if (preview == nullptr || preview->PageText() != QStringLiteral("Page 1 of 2"))
            return;
        watcher.stop();
        seen << preview->windowTitle();
        // The results view followed the walk: the last found entry is current.
        seen << window.C<TDBText>("DBaall")->Text();
        // Pressing the print button again while the preview is open does nothing.
        print->click();
        seen << (TQRPreview::Current() == preview ? "same preview" : "another preview");
        preview->close();
    });
    watcher.start(20);
    print->click();
    QCOMPARE(seen, (QStringList{"Print Preview", "t4", "same preview"}));
    QTRY_COMPARE(TQRPreview::Current(), nullptr);
    QVERIFY(Data->ADOQuery1->Eof());
    QCOMPARE(Data->ADOQuery1->RecNo(), 2);
}

void TestSearch::informationBoxesAreCentredOnTheScreen_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("message");
    QTest::newRow("no phrase") << "" << NoPhrase;
    QTest::newRow("nothing found") << "nothing at all" << QStringLiteral("کاربر گرامي موردي يافت نشد");
}

void TestSearch::informationBoxesAreCentredOnTheScreen()
{
    QFETCH(QString, phrase);
    QFETCH(QString, message);
    SearchWindow window;
    QPoint centre;
    QPoint screenCentre;
    ModalAnswer boxes([&](QWidget* box) {
        centre = box->frameGeometry().center();
        screenCentre = box->screen()->geometry().center();
        ModalAnswer::Press(box, "OK");
    });
    window.Search(phrase, 1);
    QTRY_COMPARE(boxes.Seen(), QStringList{"Information|" + message});
    QVERIFY2((centre - screenCentre).manhattanLength() <= 1,
             qPrintable(QStringLiteral("the box's centre is at (%1,%2), the screen's at (%3,%4)")
                            .arg(centre.x())
                            .arg(centre.y())
                            .arg(screenCentre.x())
                            .arg(screenCentre.y())));
}

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Application->Initialize();
    TestSearch test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestSearch.moc"
