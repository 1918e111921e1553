#include "JetExpression.h"

#include "JetSqlStatement.h"

#include <QSet>

namespace {

bool IsNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool IsNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

const QSet<QString>& Keywords()
{
    static const QSet<QString> words = {
        QStringLiteral("AND"),  QStringLiteral("OR"),    QStringLiteral("NOT"), QStringLiteral("IS"),
        QStringLiteral("NULL"), QStringLiteral("LIKE"),  QStringLiteral("IN"),  QStringLiteral("BETWEEN"),
        QStringLiteral("TRUE"), QStringLiteral("FALSE"), QStringLiteral("ASC"), QStringLiteral("DESC")};
    return words;
}

QString QuoteText(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// Jet's LIKE wildcards; a pattern using [character lists] is left to the caller to refuse.
QString LikePattern(const QString& text)
{
    QString pattern = text;
    pattern.replace(QLatin1Char('*'), QLatin1Char('%'));
    pattern.replace(QLatin1Char('?'), QLatin1Char('_'));
    return pattern;
}

class Translation
{
public:
    explicit Translation(const QString& jet) : m_jet(jet) {}

    QString Run(QString* reason)
    {
        while (m_at < m_jet.size() && m_reason.isEmpty())
            Next();
        if (!m_reason.isEmpty()) {
            if (reason != nullptr)
                *reason = m_reason;
            return QString();
        }
        return m_out.trimmed();
    }

private:
    void Next()
    {
        const QChar c = m_jet.at(m_at);
        if (c.isSpace()) {
            m_out += QLatin1Char(' ');
            ++m_at;
        } else if (c == QLatin1Char('[')) {
            const int end = m_jet.indexOf(QLatin1Char(']'), m_at);
            if (end < 0)
                return Refuse(QStringLiteral("an unclosed [name]"));
            Name(m_jet.mid(m_at + 1, end - m_at - 1));
            m_at = end + 1;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            Text(c);
        } else if (IsNameStart(c)) {
            int end = m_at;
            while (end < m_jet.size() && IsNamePart(m_jet.at(end)))
                ++end;
            const QString word = m_jet.mid(m_at, end - m_at);
            m_at = end;
            Word(word);
        } else if (c.isDigit()) {
            while (m_at < m_jet.size() && (m_jet.at(m_at).isDigit() || m_jet.at(m_at) == QLatin1Char('.')))
                m_out += m_jet.at(m_at++);
        } else if (c == QLatin1Char('&')) {
            m_out += QLatin1String("||");
            ++m_at;
        } else if (QStringLiteral("=<>+-*/(),.").contains(c)) {
            m_out += c;
            ++m_at;
            m_afterLike = m_afterLike && c == QLatin1Char('(');
        } else {
            Refuse(QStringLiteral("the character %1").arg(c));
        }
    }

    void Name(const QString& name)
    {
        m_out += JetSqlStatement::QuoteName(name);
        m_afterLike = false;
    }

    void Word(const QString& word)
    {
        const QString upper = word.toUpper();
        if (Keywords().contains(upper)) {
            m_out += upper == QLatin1String("TRUE")    ? QStringLiteral("1")
                     : upper == QLatin1String("FALSE") ? QStringLiteral("0")
                                                       : upper;
            m_afterLike = upper == QLatin1String("LIKE");
            return;
        }
        int next = m_at;
        while (next < m_jet.size() && m_jet.at(next).isSpace())
            ++next;
        if (next < m_jet.size() && m_jet.at(next) == QLatin1Char('('))
            return Refuse(QStringLiteral("the function %1").arg(word));
        m_out += JetSqlStatement::QuoteName(word);
        m_afterLike = false;
    }

    void Text(QChar quote)
    {
        QString text;
        ++m_at;
        for (;;) {
            if (m_at >= m_jet.size())
                return Refuse(QStringLiteral("an unclosed text"));
            const QChar c = m_jet.at(m_at++);
            if (c != quote) {
                text += c;
            } else if (m_at < m_jet.size() && m_jet.at(m_at) == quote) {
                text += quote;
                ++m_at;
            } else {
                break;
            }
        }
        if (m_afterLike) {
            if (text.contains(QLatin1Char('[')) || text.contains(QLatin1Char('#')))
                return Refuse(QStringLiteral("a LIKE pattern with character lists or digits"));
            text = LikePattern(text);
        }
        m_out += QuoteText(text);
        m_afterLike = false;
    }

    void Refuse(const QString& what) { m_reason = QStringLiteral("it uses %1").arg(what); }

    const QString& m_jet;
    int m_at = 0;
    QString m_out;
    QString m_reason;
    bool m_afterLike = false;
};

} // namespace

QString TranslateJetExpression(const QString& jet, QString* reason)
{
    return Translation(jet).Run(reason);
}
