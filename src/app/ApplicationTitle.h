#pragma once

#include <QString>

// The application's title from its program file: the name after the last '/', cut at the first
// full stop, every character but the first in lower case ("READER.EXE" gives "Reader").
QString ApplicationTitleFromFileName(const QString& programFile);

// A message with a full stop appended when it is not empty and its last character sorts after the
// full stop ("Done" gives "Done.", while "Done.", "Done!" and "(done)" stay as they are).
QString WithFullStop(const QString& message);
