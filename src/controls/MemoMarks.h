#pragma once

#include <QString>
#include <QTextEdit>

#include <QList>

class MarkScrollBar;
class QPlainTextEdit;

// Marks where a search pattern stands in a memo's text, found by the same folding as the search's
// LIKE: a soft background behind each occurrence (an extra selection, which neither changes the text
// nor is replaced by typing) and a tick for each beside the memo's vertical scroll bar.
class MemoMarks
{
public:
    // Puts a scroll bar that draws the ticks into the memo.
    explicit MemoMarks(QPlainTextEdit* memo);

    // The LIKE pattern to mark ('%phrase%'); empty marks nothing. Marks the text shown now.
    void SetPattern(const QString& pattern);
    // Marks the occurrences in the text the memo shows now.
    void Show();
    // Takes the marks away until the next Show.
    void Clear();
    bool IsShown() const { return !m_marks.isEmpty(); }
    const QList<QTextEdit::ExtraSelection>& Marks() const { return m_marks; }

private:
    std::vector<double> TickPlaces() const;

    QPlainTextEdit* m_memo;
    MarkScrollBar* m_scrollBar;
    QByteArray m_pattern;
    QList<QTextEdit::ExtraSelection> m_marks;
};
