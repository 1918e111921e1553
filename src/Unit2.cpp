#include "Unit2.h"

#include "DataModules.h"
#include "Exceptions.h"
#include "TADOConnection.h"
#include "TADOQuery.h"
#include "TADOTable.h"
#include "TDataSource.h"

TData* Data = nullptr;

namespace {

template <class T>
T* Member(TData* module, const char* name)
{
    auto* member = new T(module);
    member->setObjectName(QString::fromLatin1(name));
    return member;
}

} // namespace

TData::TData()
    : ADOConnection1(Member<TADOConnection>(this, "ADOConnection1")),
      Dataaall(Member<TDataSource>(this, "Dataaall")), ADOaall(Member<TADOTable>(this, "ADOaall")),
      DataSource1(Member<TDataSource>(this, "DataSource1")), ADOQuery1(Member<TADOQuery>(this, "ADOQuery1"))
{
    setObjectName(QStringLiteral("Data"));
    DataModules::Register(this);

    ADOConnection1->setConnectionString(QStringLiteral(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=dorvanel.mdb;Persist Security Info=False"));
    ADOConnection1->setMode(16);
    ADOConnection1->setLoginPrompt(false);

    Dataaall->setDataSet(ADOaall);
    Dataaall->setAutoEdit(true);

    ADOaall->setConnection(ADOConnection1);
    ADOaall->setTableName(QStringLiteral("Query1"));

    DataSource1->setDataSet(ADOQuery1);
    DataSource1->setAutoEdit(true);

    ADOQuery1->setConnection(ADOConnection1);
    ADOQuery1->SQL().Add(QStringLiteral("SELECT *"));
    ADOQuery1->SQL().Add(QStringLiteral(" FROM Table1;"));
    ADOQuery1->setDataSource(Dataaall);

    // The main window's controls named their data sources before this module existed.
    DataModules::ResolveReferences(this);

    // Each failure is shown and the next member is still readied.
    Guarded(this, [this] { ADOConnection1->Open(); });
    Guarded(this, [this] { ADOaall->Open(); });
    Guarded(this, [this] { ADOQuery1->Open(); });
}

TData::~TData()
{
    // The last read first; the datasets close, then the connection is dropped.
    delete ADOQuery1;
    delete DataSource1;
    delete ADOaall;
    delete Dataaall;
    delete ADOConnection1;
    DataModules::Unregister(this);
}

void TData::SettleChanges()
{
    if (ADOQuery1->Active())
        ADOQuery1->CheckBrowseMode();
    if (ADOaall->Active())
        ADOaall->CheckBrowseMode();
}

void TData::DropChanges()
{
    // The search dataset first: cancelling the browse dataset would make it settle.
    ADOQuery1->Cancel();
    ADOaall->Cancel();
}
