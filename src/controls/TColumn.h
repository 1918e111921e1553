#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class TField;

// The one column of a data-bound grid: its field, title, font, colour and width.
class TColumn
{
public:
    // The field found in the open dataset; none while it is closed or has no such column.
    TField* Field() const { return m_field; }
    const QString& FieldName() const { return m_fieldName; }
    const QString& Title() const { return m_title; }
    const QFont& Font() const { return m_font; }
    const QColor& FontColor() const { return m_fontColor; }
    const QColor& Color() const { return m_color; }
    // Short and long text are aligned to the leading edge.
    Qt::Alignment Alignment() const { return Qt::AlignLeft; }
    int Width() const { return m_width; }

private:
    friend class TDBGrid;
    TField* m_field = nullptr;
    QString m_fieldName;
    QString m_title;
    QFont m_font;
    QColor m_fontColor;
    QColor m_color;
    int m_width = 0;
};
