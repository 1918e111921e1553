#pragma once

#include <QString>

// Writes a synthetic collection in the layout of dorvanel.mdb: Table1 with its key and the four
// fields, and the view Query1. The texts are Persian-looking words drawn from a fixed seed, so the same
// arguments always give the same file.
struct CollectionOptions
{
    int entries = 1000;
    // Average length of an entry's four texts together, in bytes of UTF-8.
    int averageBytes = 2048;
};

// Replaces the file. Raises std::runtime_error when it cannot be written.
void WriteCollection(const QString& path, const CollectionOptions& options);
