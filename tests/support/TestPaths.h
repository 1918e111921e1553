#pragma once

#include <QByteArray>
#include <QString>

// The repository's root, as CTest passes it, and a fixture file under tests/data/ in it.
QString SourceDir();
QString FixturePath(const QString& relative);
// The bytes of a fixture; a fixture that cannot be read ends the test program.
QByteArray FixtureBytes(const QString& relative);
