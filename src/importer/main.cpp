// velnora-import [--query NAME] SOURCE TARGET
//
// Turns an Access (Jet 3 or Jet 4) file into a native collection that the reader opens and edits.
#include "Exceptions.h"
#include "JetImport.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

const char kUsage[] = "usage: velnora-import [--query NAME] SOURCE TARGET\n"
                      "Copies every table of the Access (Jet) file SOURCE into a new collection TARGET,\n"
                      "and the stored query NAME (Query1 unless given) as the view Query1.\n"
                      "TARGET must not exist yet.\n";

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.contains(QStringLiteral("--help"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    QString query = QStringLiteral("Query1");
    const int option = arguments.indexOf(QStringLiteral("--query"));
    if (option >= 0 && option + 1 < arguments.size()) {
        query = arguments.at(option + 1);
        arguments.remove(option, 2);
    }
    if (arguments.size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        JetImport(arguments.at(0), arguments.at(1), query).Run(stdout);
        return 0;
    } catch (const Exception& e) {
        std::fprintf(stderr, "velnora-import: %s\n", e.Message().toUtf8().constData());
        return 1;
    }
}
