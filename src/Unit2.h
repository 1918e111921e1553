#pragma once

#include <QObject>

class TADOConnection;
class TADOQuery;
class TADOTable;
class TDataSource;

// The data module: the connection to dorvanel.mdb, the browse and search datasets and their data sources.
class TData : public QObject
{
    Q_OBJECT

public:
    TData();
    ~TData() override;

    // Settles the changes pending in both datasets, as a move would; a failing post raises and leaves
    // the change pending. Called before the program ends.
    void SettleChanges();
    // Drops the changes still pending in both datasets: nothing of them is written.
    void DropChanges();

    TADOConnection* ADOConnection1;
    TDataSource* Dataaall;
    TADOTable* ADOaall;
    TDataSource* DataSource1;
    TADOQuery* ADOQuery1;
};

extern TData* Data;
