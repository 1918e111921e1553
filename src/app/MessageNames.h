#pragma once

#include <QString>

// File and folder names set into the reader's messages, which are Persian and read right to left. Each
// name is kept between left-to-right marks, so that a name in Latin letters, its dots and slashes
// included, reads left to right inside the sentence and the sentence around it keeps its order.

// The file's name alone, without its folder: "dorvanel.mdb".
QString FileNameInMessage(const QString& path);
// The folder that holds the file, whole: "/home/reader/.local/share/velnora".
QString FolderInMessage(const QString& path);
// Any other name (a table, a query, a program) as it is.
QString NameInMessage(const QString& name);
