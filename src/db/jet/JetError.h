#pragma once

#include "Exceptions.h"

#include <QString>

// The error of a Jet file that cannot be read, in Persian, naming the file by its name and the cause:
// "مجموعه Access <name> خوانده نشد: <cause>." The full stop is the text's own, since a cause may end
// in a parenthesis, after which the error box adds none.
EOleException JetError(const QString& path, const QString& cause);
