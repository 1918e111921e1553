#include "EditedText.h"

#include <algorithm>

namespace {

// Where in the stored text the shown text's position lies: a "\r\n" pair shows as one character.
qsizetype StoredPosition(const QString& stored, qsizetype shownPosition)
{
    qsizetype at = 0;
    for (qsizetype shown = 0; shown < shownPosition && at < stored.size(); ++shown) {
        const bool pair = stored.at(at) == QLatin1Char('\r') && at + 1 < stored.size() &&
                          stored.at(at + 1) == QLatin1Char('\n');
        at += pair ? 2 : 1;
    }
    return at;
}

} // namespace

QString EditedText(const QString& stored, const QString& shown, const QString& edited)
{
    const qsizetype shorter = std::min(shown.size(), edited.size());
    qsizetype prefix = 0;
    while (prefix < shorter && shown.at(prefix) == edited.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           shown.at(shown.size() - 1 - suffix) == edited.at(edited.size() - 1 - suffix))
        ++suffix;
    QString typed = edited.mid(prefix, edited.size() - suffix - prefix);
    typed.replace(QChar(QChar::ParagraphSeparator),
                  stored.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n"));
    const qsizetype from = StoredPosition(stored, prefix);
    const qsizetype to = StoredPosition(stored, shown.size() - suffix);
    return stored.left(from) + typed + stored.mid(to);
}
