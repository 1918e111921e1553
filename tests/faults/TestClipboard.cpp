#include "ClipboardContent.h"
#include "TestDatabase.h"
#include "TestProgram.h"

#include "TADOQuery.h"
#include "TADOTable.h"
#include "TApplication.h"
#include "TDBGrid.h"
#include "TDBMemo.h"
#include "Unit2.h"

#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const QString NoPhrase = QStringLiteral("لطفا عبارت مورد جستجو را وارد کنيد");
const QString NothingFound = QStringLiteral("کاربر گرامي موردي يافت نشد");

// Where the reader pastes: a memo, the cell editor of a list, or the search box.
struct Target
{
    const char* control;
    // The field the control shows, for the memos and lists.
    const char* field;
    bool results;
    // Whether ten megabytes are pasted into it.
    bool large;
};

const Target Targets[] = {
    {"DBMemo1", "porsesh", false, false},   {"DBMemo2", "pasokh", false, true},
    {"DBMemo3", "pavaraghi", false, false}, {"DBMaall1", "porsesh", true, false},
    {"DBMaall2", "pasokh", true, true},     {"DBMaall3", "pavaraghi", true, false},
    {"DBGrid2", "kholase", false, true},    {"DBGrid1", "kholase", true, true},
    {"Edit1", nullptr, false, true},
};

// The text of a memo or line edit, and where its cursor stands in it.
QString TextIn(QWidget* input)
{
    if (auto* memo = qobject_cast<TDBMemo*>(input))
        return memo->toPlainText();
    return static_cast<QLineEdit*>(input)->text();
}

int CursorIn(QWidget* input)
{
    if (auto* memo = qobject_cast<TDBMemo*>(input))
        return memo->textCursor().position();
    return static_cast<QLineEdit*>(input)->cursorPosition();
}

void MoveToEnd(QWidget* input)
{
    if (auto* memo = qobject_cast<TDBMemo*>(input))
        memo->moveCursor(QTextCursor::End);
    else
        static_cast<QLineEdit*>(input)->end(false);
}

// Drops the data onto the text: a memo at the end of its text, a line edit in its middle.
void Drop(QWidget* input, const QMimeData* data)
{
    MoveToEnd(input);
    if (auto* memo = qobject_cast<TDBMemo*>(input))
        DragAndDrop(memo->viewport(), memo->cursorRect().center(), data);
    else
        DragAndDrop(input, input->rect().center(), data);
}

// Whether the text is the previous one, or the previous one with the start of the inserted text put in
// where the cursor now stands after it.
bool UnchangedOrInserted(QWidget* input, const QString& previous, const QString& inserted)
{
    const QString now = TextIn(input);
    const qsizetype added = now.size() - previous.size();
    const qsizetype at = CursorIn(input) - added;
    if (added == 0)
        return now == previous;
    return added > 0 && added <= inserted.size() && at >= 0 && now.mid(at, added) == inserted.left(added) &&
           now.left(at) + now.mid(at + added) == previous;
}

// Every byte of a stored value, to compare texts with NUL characters in them.
QString Hex(const QString& text)
{
    return QString::fromLatin1(text.toUtf8().toHex().toUpper());
}

} // namespace

Q_DECLARE_METATYPE(ClipboardKind)

class TestClipboard : public QObject
{
    Q_OBJECT

private slots:
    void pasteAndDropIntoEveryTextControl_data();
    void pasteAndDropIntoEveryTextControl();
};

void TestClipboard::pasteAndDropIntoEveryTextControl_data()
{
    QTest::addColumn<ClipboardKind>("kind");
    QTest::addColumn<int>("target");
    for (int t = 0; t < int(std::size(Targets)); ++t) {
        for (const ClipboardKind kind : AllClipboardKinds) {
            // Ten megabytes take seconds a control; the memos of a view are alike.
            if (kind == ClipboardKind::TenMegabytes && !Targets[t].large)
                continue;
            QTest::addRow("%s, %s", Targets[t].control, ClipboardKindName(kind)) << kind << t;
        }
    }
}

void TestClipboard::pasteAndDropIntoEveryTextControl()
{
    QFETCH(ClipboardKind, kind);
    QFETCH(int, target);
    const Target& where = Targets[target];
    TestDatabase file(TestDatabase::Collection(3, 255));
    TestProgram program;
    program.Window()->show();
    program.Window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(program.Window()));
    Boxes boxes;
    if (where.results) {
        program.Control<QLineEdit>("Edit1")->setText(QStringLiteral("q"));
        program.Control<QRadioButton>("RadioButton1")->click();
        program.Control<QPushButton>("BitBtn1")->click();
        QCOMPARE(Data->ADOQuery1->RecordCount(), 3);
    }
    TDataSet* dataSet = where.results ? static_cast<TDataSet*>(Data->ADOQuery1) : Data->ADOaall;
    QWidget* input = program.Control<QWidget>(where.control);
    auto* grid = qobject_cast<TDBGrid*>(input);
    if (grid != nullptr) {
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_F2);
        input = grid->findChild<QLineEdit*>();
    }
    input->setFocus();
    const bool memo = qobject_cast<TDBMemo*>(input) != nullptr;
    const QString before = TextIn(input);
    const QString text = TextOfClipboard(kind);
    const std::unique_ptr<QMimeData> drag(ClipboardContent(kind));
    SetClipboard(kind);

    // A drop inserts the text where it falls, or nothing (a memo takes none while its entry is not being
    // edited). Ctrl+V and Shift+Insert start editing first, then paste at the end. Ten megabytes are
    // pasted once only, which takes long enough.
    const bool large = kind == ClipboardKind::TenMegabytes;
    QString previous = TextIn(input);
    if (!large)
        Drop(input, drag.get());
    QVERIFY(UnchangedOrInserted(input, previous, text));
    if (memo)
        QCOMPARE(TextIn(input), before);
    QString expected = TextIn(input);
    MoveToEnd(input);
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
    expected += text;
    if (!large) {
        MoveToEnd(input);
        QTest::keyClick(input, Qt::Key_Insert, Qt::ShiftModifier);
        expected += text;
    }
    if (grid != nullptr)
        expected.truncate(static_cast<QLineEdit*>(input)->maxLength());
    QCOMPARE(TextIn(input).size(), expected.size());
    QVERIFY(TextIn(input) == expected);
    if (memo)
        QCOMPARE(dataSet->State(), TDataSetState::dsEdit);
    previous = TextIn(input);
    if (!large)
        Drop(input, drag.get());
    QVERIFY(UnchangedOrInserted(input, previous, text));
    expected = TextIn(input);

    if (where.field == nullptr) {
        // The search box: a search for what was pasted finds nothing, and says so. A NUL character ends
        // the statement for the database, which then reports the pattern's quote as not closed.
        program.Control<QRadioButton>("RadioButton2")->click();
        program.Control<QPushButton>("BitBtn1")->click();
        QCOMPARE(boxes.Texts().size(), 1);
        if (kind == ClipboardKind::WithNul)
            QVERIFY2(boxes.Texts().first().contains(QLatin1String("unrecognized token")),
                     qPrintable(boxes.Texts().first()));
        else
            QCOMPARE(boxes.Texts().first(), expected.isEmpty() ? NoPhrase : NothingFound);
        return;
    }
    // Moving to the next entry writes what was pasted.
    if (where.results) {
        program.Control<QPushButton>("BitBtn18")->click();
    } else {
        auto* list = program.Control<TDBGrid>("DBGrid2");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
    }
    QCOMPARE(boxes.Texts(), QStringList());
    QCOMPARE(dataSet->RecNo(), 2);
    QCOMPARE(
        file.Value(QStringLiteral("SELECT hex(%1) FROM Table1 WHERE id = 1").arg(QLatin1String(where.field))),
        Hex(expected));
}

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Application->Initialize();
    TestClipboard test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestClipboard.moc"
