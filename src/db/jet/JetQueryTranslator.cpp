#include "JetQueryTranslator.h"

#include "JetExpression.h"
#include "JetSqlStatement.h"

namespace {

constexpr int kSelectQuery = 1;
constexpr int kAllColumns = 0x01;
constexpr int kDistinct = 0x02;

class StoredQuery
{
public:
    StoredQuery(const QList<JetQueryRow>& rows, const QStringList& tables) : m_rows(rows), m_tables(tables) {}

    QString Translate(QString* reason)
    {
        const QString sql = Build();
        if (!m_reason.isEmpty() && reason != nullptr)
            *reason = m_reason;
        return m_reason.isEmpty() ? sql : QString();
    }

private:
    QList<JetQueryRow> Rows(int attribute) const
    {
        QList<JetQueryRow> found;
        for (const JetQueryRow& row : m_rows) {
            if (row.attribute == attribute)
                found.append(row);
        }
        return found;
    }

    QString Refuse(const QString& reason)
    {
        if (m_reason.isEmpty())
            m_reason = reason;
        return QString();
    }

    QString Expression(const QString& jet)
    {
        QString reason;
        const QString sql = TranslateJetExpression(jet, &reason);
        return sql.isEmpty()
                   ? Refuse(reason.isEmpty() ? QStringLiteral("it has an empty expression") : reason)
                   : sql;
    }

    QString Build()
    {
        const QList<JetQueryRow> type = Rows(JetQueryRow::Type);
        if (type.size() != 1 || type.first().flag != kSelectQuery)
            return Refuse(QStringLiteral("it is not a select query"));
        for (const int attribute : {int(JetQueryRow::Parameter), int(JetQueryRow::Join),
                                    int(JetQueryRow::GroupBy), int(JetQueryRow::Having)}) {
            if (!Rows(attribute).isEmpty())
                return Refuse(QStringLiteral("it uses parameters, joins or grouping"));
        }
        const QList<JetQueryRow> flags = Rows(JetQueryRow::Flags);
        const int flag = flags.isEmpty() ? 0 : flags.first().flag;
        if ((flag & ~(kAllColumns | kDistinct)) != 0)
            return Refuse(QStringLiteral("it uses TOP, DISTINCTROW or owner access"));

        const QList<JetQueryRow> tables = Rows(JetQueryRow::Table);
        if (tables.size() != 1 || !tables.first().expression.isEmpty())
            return Refuse(QStringLiteral("it does not read exactly one table"));
        const JetQueryRow& table = tables.first();
        if (!m_tables.contains(table.name1, Qt::CaseInsensitive))
            return Refuse(
                QStringLiteral("it reads \"%1\", which is not a table of the file").arg(table.name1));
        QString from = JetSqlStatement::QuoteName(table.name1);
        if (!table.name2.isEmpty())
            from += QStringLiteral(" AS ") + JetSqlStatement::QuoteName(table.name2);

        QStringList columns;
        if (flag & kAllColumns)
            columns.append(QStringLiteral("*"));
        for (const JetQueryRow& column : Rows(JetQueryRow::Column)) {
            QString sql = Expression(column.expression);
            if (!column.name1.isEmpty())
                sql += QStringLiteral(" AS ") + JetSqlStatement::QuoteName(column.name1);
            columns.append(sql);
        }
        if (columns.isEmpty())
            return Refuse(QStringLiteral("it has no output columns"));

        QString sql = QStringLiteral("SELECT %1%2 FROM %3")
                          .arg(flag & kDistinct ? QStringLiteral("DISTINCT ") : QString(),
                               columns.join(QStringLiteral(", ")), from);
        const QList<JetQueryRow> where = Rows(JetQueryRow::Where);
        if (where.size() > 1)
            return Refuse(QStringLiteral("it has more than one condition"));
        if (!where.isEmpty())
            sql += QStringLiteral(" WHERE ") + Expression(where.first().expression);
        QStringList order;
        for (const JetQueryRow& term : Rows(JetQueryRow::OrderBy)) {
            if (!term.name1.isEmpty() && term.name1.compare(QLatin1String("D"), Qt::CaseInsensitive) != 0)
                return Refuse(QStringLiteral("it has an unknown sort direction"));
            order.append(Expression(term.expression) +
                         (term.name1.isEmpty() ? QString() : QStringLiteral(" DESC")));
        }
        if (!order.isEmpty())
            sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
        return sql;
    }

    const QList<JetQueryRow>& m_rows;
    const QStringList& m_tables;
    QString m_reason;
};

} // namespace

QString TranslateStoredQuery(const QList<JetQueryRow>& rows, const QStringList& tables, QString* reason)
{
    return StoredQuery(rows, tables).Translate(reason);
}
