#include "MemoMarks.h"

#include "FoldingLike.h"
#include "MarkScrollBar.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

namespace {

// A pale amber behind the marked text: the memos' teal and purple letters stay readable on it.
const QColor MarkColor(255, 226, 140);

// The positions in `text` (UTF-16) of the given byte offsets into its UTF-8 form, offsets ascending.
std::vector<int> Utf16Positions(const QString& text, const std::vector<std::size_t>& offsets)
{
    std::vector<int> positions;
    positions.reserve(offsets.size());
    std::size_t bytes = 0;
    int i = 0;
    for (const std::size_t offset : offsets) {
        while (bytes < offset && i < text.size()) {
            const char32_t c = text.at(i).isHighSurrogate() && i + 1 < text.size()
                                   ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                   : text.at(i).unicode();
            bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
            i += c >= 0x10000 ? 2 : 1;
        }
        positions.push_back(i);
    }
    return positions;
}

} // namespace

MemoMarks::MemoMarks(QPlainTextEdit* memo) : m_memo(memo), m_scrollBar(new MarkScrollBar(Qt::Vertical, memo))
{
    memo->setVerticalScrollBar(m_scrollBar);
    m_scrollBar->SetPlaces([this] { return TickPlaces(); });
}

void MemoMarks::SetPattern(const QString& pattern)
{
    m_pattern = pattern.toUtf8();
    Show();
}

void MemoMarks::Show()
{
    m_marks.clear();
    if (!m_pattern.isEmpty()) {
        const QString text = m_memo->document()->toRawText();
        const QByteArray utf8 = text.toUtf8();
        const std::vector<FoldedOccurrence> found =
            FoldingLikeOccurrences({m_pattern.constData(), std::size_t(m_pattern.size())},
                                   {utf8.constData(), std::size_t(utf8.size())});
        std::vector<std::size_t> offsets;
        offsets.reserve(found.size() * 2);
        for (const FoldedOccurrence& occurrence : found) {
            offsets.push_back(occurrence.begin);
            offsets.push_back(occurrence.end);
        }
        const std::vector<int> positions = Utf16Positions(text, offsets);
        for (std::size_t k = 0; k + 1 < positions.size(); k += 2) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(m_memo->document());
            mark.cursor.setPosition(positions[k]);
            mark.cursor.setPosition(positions[k + 1], QTextCursor::KeepAnchor);
            mark.format.setBackground(MarkColor);
            m_marks.push_back(mark);
        }
    }
    m_memo->setExtraSelections(m_marks);
    m_scrollBar->update();
}

void MemoMarks::Clear()
{
    if (m_marks.isEmpty())
        return;
    m_marks.clear();
    m_memo->setExtraSelections(m_marks);
    m_scrollBar->update();
}

std::vector<double> MemoMarks::TickPlaces() const
{
    std::vector<double> places;
    const int lines = m_memo->document()->lineCount();
    if (m_marks.isEmpty() || lines <= 0)
        return places;
    for (const QTextEdit::ExtraSelection& mark : m_marks) {
        const int position = mark.cursor.selectionStart();
        const QTextBlock block = m_memo->document()->findBlock(position);
        int line = block.firstLineNumber();
        if (const QTextLayout* layout = block.layout(); layout != nullptr && layout->lineCount() > 0)
            line += layout->lineForTextPosition(position - block.position()).lineNumber();
        places.push_back(double(line) / double(lines));
    }
    return places;
}
