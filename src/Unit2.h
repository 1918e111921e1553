#pragma once

#include <QObject>

// The data module: the connection to dorvanel.mdb, the browse and search datasets and their data sources.
class TData : public QObject
{
    Q_OBJECT

public:
    TData();
    ~TData() override;
};

extern TData* Data;
