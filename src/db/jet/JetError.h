#pragma once

#include "Exceptions.h"

#include <QString>

// The error of a Jet file that cannot be read, naming the file and the cause (Persian, as every text
// the reader is shown).
EOleException JetError(const QString& path, const QString& cause);
