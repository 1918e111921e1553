#include "DataModules.h"

#include "TDataLink.h"
#include "TDataSource.h"

#include <QObject>
#include <QPointer>

#include <algorithm>
#include <vector>

namespace DataModules {

namespace {

struct Module
{
    QObject* object;
    bool resolved;
};

struct Reference
{
    TDataLink* link;
    QString module;
    QString source;
};

std::vector<Module>& Modules()
{
    static std::vector<Module> modules;
    return modules;
}

std::vector<Reference>& Waiting()
{
    static std::vector<Reference> waiting;
    return waiting;
}

TDataSource* FindSource(QObject* module, const QString& name)
{
    return module->findChild<TDataSource*>(name, Qt::FindDirectChildrenOnly);
}

Module* FindModule(const QString& name)
{
    for (Module& module : Modules()) {
        if (module.object->objectName() == name)
            return &module;
    }
    return nullptr;
}

} // namespace

void ReferDataSource(TDataLink* link, const QString& reference)
{
    ForgetReference(link);
    const int dot = reference.indexOf(QLatin1Char('.'));
    const QString moduleName = dot < 0 ? QString() : reference.left(dot);
    const QString sourceName = dot < 0 ? reference : reference.mid(dot + 1);
    if (sourceName.isEmpty()) {
        link->setDataSource(nullptr);
        return;
    }
    Module* module = FindModule(moduleName);
    if (module != nullptr && module->resolved) {
        link->setDataSource(FindSource(module->object, sourceName));
        return;
    }
    Waiting().push_back({link, moduleName, sourceName});
}

void ForgetReference(TDataLink* link)
{
    auto& waiting = Waiting();
    waiting.erase(
        std::remove_if(waiting.begin(), waiting.end(), [link](const Reference& r) { return r.link == link; }),
        waiting.end());
}

void Register(QObject* module)
{
    Modules().push_back({module, false});
}

void Unregister(QObject* module)
{
    auto& modules = Modules();
    modules.erase(std::remove_if(modules.begin(), modules.end(),
                                 [module](const Module& m) { return m.object == module; }),
                  modules.end());
}

void ResolveReferences(QObject* module)
{
    for (Module& m : Modules()) {
        if (m.object == module)
            m.resolved = true;
    }
    std::vector<Reference> ready;
    auto& waiting = Waiting();
    for (auto it = waiting.begin(); it != waiting.end();) {
        if (it->module == module->objectName() && FindSource(module, it->source) != nullptr) {
            ready.push_back(*it);
            it = waiting.erase(it);
        } else {
            ++it;
        }
    }
    for (const Reference& reference : ready)
        reference.link->setDataSource(FindSource(module, reference.source));
}

} // namespace DataModules
