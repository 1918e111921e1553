#pragma once

#include <QMap>
#include <QString>

// The "Key=Value;Key=Value" pairs of a connection string; keys are found without regard to case.
class ConnectionString
{
public:
    explicit ConnectionString(const QString& text);

    QString Value(const QString& key) const { return m_values.value(key.toLower()); }

private:
    QMap<QString, QString> m_values;
};
