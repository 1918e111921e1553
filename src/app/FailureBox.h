#pragma once

#include <QString>

// The text of the "Application Error" box shown when an exception escapes the start-up sequence,
// cut at 1,023 characters.
QString FailureBoxText(const QString& className, const QString& moduleName, quintptr address,
                       const QString& message);

// Shows the "Application Error" box for the exception being handled: no owner, stop icon, one OK.
void ShowFailureBoxForCurrentException();
