#include "TDBText.h"

#include "DataBinding.h"
#include "Exceptions.h"
#include "RightToLeftText.h"
#include "TDataSet.h"

#include <QPainter>

TDBText::TDBText(QWidget* parent) : QWidget(parent), m_link(this)
{
    m_link.OnDataChange = [this] { DataChanged(); };
}

void TDBText::DataChanged()
{
    const TField* field = m_link.Field();
    const bool hasRecord = field != nullptr && m_link.Active() && !m_link.DataSet()->IsEmpty();
    const QString text = hasRecord ? field->DisplayText() : QString();
    if (text != m_text) {
        m_text = text;
        update();
    }
}

bool TDBText::event(QEvent* event)
{
    bool taken = false;
    Guarded(this, [&] {
        taken = TakeBindingProperty(this, event, m_link,
                                    [this](const QString& name) { m_link.setFieldName(name); });
    });
    return taken || QWidget::event(event);
}

void TDBText::paintEvent(QPaintEvent*)
{
    if (m_text.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    RightToLeftText::Draw(painter, rect(), int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop), m_text);
}
