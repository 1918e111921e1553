#pragma once

#include "TFieldDataLink.h"

#include <QWidget>

// A title line bound to one field: the field's display text from the right edge, on one line per line
// break, cut off at the control's rectangle, over whatever lies beneath it. Its binding is named by
// the dynamic properties dataSource and dataField.
class TDBText : public QWidget
{
    Q_OBJECT

public:
    explicit TDBText(QWidget* parent = nullptr);

    TFieldDataLink& DataLink() { return m_link; }
    // The text shown: empty while the dataset is closed or holds no record.
    const QString& Text() const { return m_text; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void DataChanged();

    TFieldDataLink m_link;
    QString m_text;
};
