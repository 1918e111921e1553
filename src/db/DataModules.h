#pragma once

#include <QString>

class QObject;
class TDataLink;

// References from controls to data sources of data modules, by name ("Data.Dataaall"). A control may
// name a data source before its module exists: the reference waits until the module has read its
// members and resolves its references, which attaches the waiting links in the order they were named.
namespace DataModules {

// Attaches the link at once when the named module has resolved its references, else keeps it waiting.
// An empty reference detaches the link.
void ReferDataSource(TDataLink* link, const QString& reference);
void ForgetReference(TDataLink* link);

void Register(QObject* module);
void Unregister(QObject* module);
// Attaches every link waiting for a data source of this module.
void ResolveReferences(QObject* module);

} // namespace DataModules
