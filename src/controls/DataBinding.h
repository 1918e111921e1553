#pragma once

#include <QString>

#include <functional>

class QEvent;
class QObject;
class TDataLink;

// Takes up a data-bound control's binding from its dynamic properties as the form definition sets
// them: "dataSource" names a data source ("Data.Dataaall"), possibly of a data module that does not
// exist yet; "dataField" names the field. Gives true when the event was one of these properties.
bool TakeBindingProperty(QObject* control, QEvent* event, TDataLink& link,
                         const std::function<void(const QString&)>& setFieldName);
