// Writes a synthetic collection for benchmarks:
//   velnora_collection FILE ENTRIES [AVERAGE_BYTES]
#include "CollectionWriter.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <stdexcept>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    CollectionOptions options;
    bool ok = args.size() == 3 || args.size() == 4;
    if (ok)
        options.entries = args[2].toInt(&ok);
    if (ok && args.size() == 4)
        options.averageBytes = args[3].toInt(&ok);
    if (!ok || options.entries < 0 || options.averageBytes < 1) {
        std::fprintf(stderr, "usage: velnora_collection FILE ENTRIES [AVERAGE_BYTES]\n");
        return 2;
    }
    try {
        WriteCollection(args[1], options);
    } catch (const std::runtime_error& error) {
        std::fprintf(stderr, "velnora_collection: %s\n", error.what());
        return 1;
    }
    return 0;
}
