#include "TDBMemo.h"

#include "DataBinding.h"
#include "EditedText.h"
#include "Exceptions.h"
#include "TDataSet.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextOption>

namespace {

// Keys that change the text, and so ask the dataset to start editing.
bool ChangesText(const QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut))
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Insert:
        return event->modifiers() == Qt::ShiftModifier;
    default:
        break;
    }
    if ((event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0)
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

// How a text is wrapped. Filling a line from a stretch without a break point, Qt looks for the next
// break point through the rest of the stretch, so laying it out takes time growing with the square of
// its length: a paragraph of a million letters takes a minute or more. A text whose long stretches
// would cost more than a short pause is wrapped anywhere, which takes time in proportion to its length.
QTextOption::WrapMode WrapModeFor(const QString& text)
{
    // Stretches no longer than this fit on a line and cost nothing extra.
    constexpr qint64 shortStretch = 64;
    // About a hundredth of a second in the window's memo: one stretch of some eleven thousand letters.
    constexpr qint64 budget = qint64(1) << 27;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    qint64 cost = 0;
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end >= 0; end = finder.toNextBoundary()) {
        const qint64 length = end - start;
        if (length > shortStretch) {
            cost += length * length;
            if (cost > budget)
                return QTextOption::WrapAnywhere;
        }
        start = end;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

} // namespace

TDBMemo::TDBMemo(QWidget* parent) : QPlainTextEdit(parent), m_link(this), m_marks(this)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the next control, as in the window's tab order.
    setTabChangesFocus(true);
    ApplyLayout();
    UpdateReadOnly();
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading) {
            m_modified = true;
            m_marks.Clear();
        }
    });
    m_link.OnDataChange = [this] {
        if (!m_writing)
            LoadText();
    };
    m_link.OnEditingChange = [this] { UpdateReadOnly(); };
    m_link.OnUpdateData = [this] { WriteBack(); };
}

void TDBMemo::ApplyLayout()
{
    // The document does not take the alignment from a right-to-left window by itself. The option
    // outlives the texts set later.
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    option.setTextDirection(Qt::RightToLeft);
    document()->setDefaultTextOption(option);
}

void TDBMemo::LoadText()
{
    const TField* field = m_link.Field();
    QString text;
    if (field != nullptr && m_link.Active() && !m_link.DataSet()->IsEmpty())
        text =
            field->IsBlob() || (hasFocus() && field->CanModify()) ? field->AsString() : field->DisplayText();
    m_loading = true;
    // Every change of the layout options lays the whole text out again: the wrap mode changes while
    // the memo is empty, so the text is laid out once.
    const QTextOption::WrapMode wrap = WrapModeFor(text);
    if (wrap != wordWrapMode()) {
        clear();
        setWordWrapMode(wrap);
    }
    setPlainText(text);
    m_loaded = text;
    m_shown = document()->toRawText();
    m_loading = false;
    m_modified = false;
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
    m_marks.Show();
}

void TDBMemo::UpdateReadOnly()
{
    const bool typeable = m_link.Editing() && m_link.CanModify();
    setReadOnly(!typeable);
    setTextInteractionFlags(typeable ? Qt::TextEditorInteraction
                                     : Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TDBMemo::WriteBack()
{
    if (!m_modified || m_link.Field() == nullptr || !m_link.Editing())
        return;
    const QString shown = document()->toRawText();
    const QString text = EditedText(m_loaded, m_shown, shown);
    m_writing = true;
    try {
        m_link.Field()->setAsString(text);
    } catch (...) {
        m_writing = false;
        throw;
    }
    m_writing = false;
    m_modified = false;
    m_loaded = text;
    m_shown = shown;
}

bool TDBMemo::event(QEvent* event)
{
    bool taken = false;
    Guarded(this, [&] {
        taken = TakeBindingProperty(this, event, m_link,
                                    [this](const QString& name) { m_link.setFieldName(name); });
    });
    return taken || QPlainTextEdit::event(event);
}

void TDBMemo::keyPressEvent(QKeyEvent* event)
{
    Guarded(this, [&] {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            LoadText();
            event->accept();
            return;
        }
        if (ChangesText(event)) {
            if (!m_link.CanModify() || !m_link.Edit()) {
                event->accept();
                return;
            }
            UpdateReadOnly();
            if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                (event->modifiers() & Qt::ControlModifier) != 0) {
                insertPlainText(QStringLiteral("\n"));
                event->accept();
                return;
            }
        }
        QPlainTextEdit::keyPressEvent(event);
    });
}

// A memo holds plain text, so it takes the text of what is pasted or dropped and nothing else. Qt's own
// insertion looks at the first of the data's formats without asking whether there is one, and an empty
// clipboard, as the window system hands it over, has none; it would also take a Markdown text as
// formatting and lose its marks.
void TDBMemo::insertFromMimeData(const QMimeData* source)
{
    Guarded(this, [&] {
        if (isReadOnly() || source == nullptr || !source->hasText())
            return;
        const QString text = source->text();
        if (WrapModeFor(text) == QTextOption::WrapAnywhere)
            setWordWrapMode(QTextOption::WrapAnywhere);
        // A drop inserts inside an edit block, where the layout lags behind: the text control brings
        // the cursor into view itself afterwards.
        insertPlainText(text);
    });
}

void TDBMemo::focusOutEvent(QFocusEvent* event)
{
    Guarded(this, [this] { WriteBack(); });
    QPlainTextEdit::focusOutEvent(event);
}
