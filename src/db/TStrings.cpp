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

void TStrings::setText(const QString& text)
{
    QString body = text;
    if (body.endsWith(QStringLiteral("\r\n")))
        body.chop(2);
    else if (body.endsWith(QLatin1Char('\n')))
        body.chop(1);
    const QStringList lines = text.isEmpty() ? QStringList() : body.split(QLatin1Char('\n'));
    Change([&] {
        m_lines.clear();
        for (QString line : lines) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            m_lines.append(line);
        }
    });
}

void TStrings::Change(const std::function<void()>& change)
{
    if (m_onChanging)
        m_onChanging();
    change();
    if (m_onChange)
        m_onChange();
}
