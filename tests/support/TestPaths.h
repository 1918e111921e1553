#pragma once

#include <QString>

// The repository's root and the shared fixtures, as CTest passes them.
QString SourceDir();
QString FixturePath(const QString& relative);
