#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Lines of text whose owner hears of each change: before it (and may refuse it by raising) and after.
class TStrings
{
public:
    int Count() const { return int(m_lines.size()); }
    const QString& operator[](int index) const { return m_lines.at(index); }
    // Every line followed by a carriage return and a line feed.
    QString Text() const;

    // Clearing lines that are already empty is no change.
    void Clear();
    void Add(const QString& line);

    void setOnChanging(std::function<void()> handler) { m_onChanging = std::move(handler); }
    void setOnChange(std::function<void()> handler) { m_onChange = std::move(handler); }

private:
    void Change(const std::function<void()>& change);

    QStringList m_lines;
    std::function<void()> m_onChanging;
    std::function<void()> m_onChange;
};
