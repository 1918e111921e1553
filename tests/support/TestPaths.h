#pragma once

#include <QByteArray>
#include <QString>

// The repository's root and the shared fixtures, as CTest passes them.
QString SourceDir();
QString FixturePath(const QString& relative);
// The bytes of a shared fixture; a fixture that cannot be read ends the test program.
QByteArray FixtureBytes(const QString& relative);
