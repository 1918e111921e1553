#include "DataBinding.h"

#include "DataModules.h"
#include "TDataLink.h"

#include <QDynamicPropertyChangeEvent>
#include <QObject>
#include <QVariant>

bool TakeBindingProperty(QObject* control, QEvent* event, TDataLink& link,
                         const std::function<void(const QString&)>& setFieldName)
{
    if (event->type() != QEvent::DynamicPropertyChange)
        return false;
    const QByteArray name = static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName();
    if (name == "dataSource") {
        DataModules::ReferDataSource(&link, control->property(name).toString());
        return true;
    }
    if (name == "dataField") {
        setFieldName(control->property(name).toString());
        return true;
    }
    return false;
}
