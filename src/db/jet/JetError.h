#pragma once

#include "Exceptions.h"

#include <QString>

// The error of a Jet file that cannot be read: "Cannot read the Access database "<full path>": <cause>."
EOleException JetError(const QString& path, const QString& cause);
