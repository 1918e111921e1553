#include "PatternModel.h"

#include <QRegularExpression>

namespace {

QString Folded(const QString& text)
{
    QString folded;
    folded.reserve(text.size());
    for (QChar c : text) {
        if (c == QChar(0x064A) || c == QChar(0x0649))
            c = QChar(0x06CC);
        else if (c == QChar(0x0643))
            c = QChar(0x06A9);
        else if (c.unicode() < 128)
            c = c.toLower();
        folded += c;
    }
    return folded;
}

} // namespace

bool PhraseFound(const QString& phrase, const QString& text)
{
    QString pattern;
    for (const QChar c : Folded(phrase)) {
        if (c == QLatin1Char('%'))
            pattern += QStringLiteral(".*");
        else if (c == QLatin1Char('_'))
            pattern += QLatin1Char('.');
        else
            pattern += QRegularExpression::escape(QString(c));
    }
    const QRegularExpression expression(
        QRegularExpression::anchoredPattern(QStringLiteral(".*") + pattern + QStringLiteral(".*")),
        QRegularExpression::DotMatchesEverythingOption);
    return expression.match(Folded(text)).hasMatch();
}
