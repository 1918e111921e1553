#pragma once

#include <QObject>

// Publishes one dataset to data-bound controls.
class TDataSource : public QObject
{
    Q_OBJECT

public:
    explicit TDataSource(QObject* owner = nullptr);
};
