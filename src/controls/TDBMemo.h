#pragma once

#include "MemoMarks.h"
#include "TFieldDataLink.h"

#include <QPlainTextEdit>

// A memo bound to one field, right to left and wrapped at words (anywhere in a text with stretches
// so long without a break point that wrapping at words would take too long). It is read-only while its
// dataset is browsing; a key that changes text starts editing first (inserting into an empty dataset),
// and is ignored where the field cannot be changed. Escape shows the field's value again; losing the
// focus writes the typed text into the field. Its binding is named by the dynamic properties dataSource
// and dataField. A search pattern given to it is marked in every text it shows, until the reader types.
class TDBMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TDBMemo(QWidget* parent = nullptr);

    TFieldDataLink& DataLink() { return m_link; }
    // Whether the shown text holds typing not yet written into the field.
    bool Modified() const { return m_modified; }
    // The LIKE pattern whose occurrences are marked ('%phrase%'); empty for none.
    void SetMarkedPattern(const QString& pattern) { m_marks.SetPattern(pattern); }
    const MemoMarks& Marks() const { return m_marks; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void LoadText();
    void UpdateReadOnly();
    void WriteBack();
    void ApplyLayout();

    TFieldDataLink m_link;
    MemoMarks m_marks;
    // The text last loaded or written, and the memo's raw text then: typing changes only the stretch
    // it touched, so line breaks and no-break spaces elsewhere keep their stored form.
    QString m_loaded;
    QString m_shown;
    bool m_modified = false;
    bool m_loading = false;
    bool m_writing = false;
};
