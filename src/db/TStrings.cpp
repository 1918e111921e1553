#include "TStrings.h"

QString TStrings::Text() const
{
    QString text;
    for (const QString& line : m_lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

void TStrings::Clear()
{
    if (m_lines.isEmpty())
        return;
    Change([this] { m_lines.clear(); });
}

void TStrings::Add(const QString& line)
{
    Change([&] { m_lines.append(line); });
}

void TStrings::Change(const std::function<void()>& change)
{
    if (m_onChanging)
        m_onChanging();
    change();
    if (m_onChange)
        m_onChange();
}
