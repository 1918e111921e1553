#include "JetValue.h"

#include "JetSqlStatement.h"

#include <QDate>

#include <cmath>

namespace JetValue {

QString DeclaredType(const MdbColumn* column, bool jet4)
{
    switch (column->col_type) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return QStringLiteral("INTEGER");
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return QStringLiteral("REAL");
    case MDB_MONEY:
        return QStringLiteral("NUMERIC(19,4)");
    case MDB_NUMERIC:
        return QStringLiteral("NUMERIC(%1,%2)").arg(column->col_prec).arg(column->col_scale);
    case MDB_DATETIME:
        return QStringLiteral("DATETIME");
    case MDB_TEXT:
        // Jet 4 keeps two bytes a character in the declared size.
        return QStringLiteral("VARCHAR(%1)").arg(jet4 ? column->col_size / 2 : column->col_size);
    case MDB_MEMO:
        return QStringLiteral("TEXT");
    case MDB_REPID:
        return QStringLiteral("VARCHAR(38)");
    case MDB_BINARY:
    case MDB_OLE:
        return QStringLiteral("BLOB");
    default:
        return QString();
    }
}

bool NeedsBinding(const MdbColumn* column)
{
    switch (column->col_type) {
    case MDB_BOOL:
    case MDB_MONEY:
    case MDB_NUMERIC:
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_REPID:
        return true;
    default:
        return false;
    }
}

void Bind(JetSqlStatement& statement, int index, MdbHandle* mdb, MdbColumn* column, bool isNull,
          const char* bound, int boundLength)
{
    // A Yes/No value lives in the row's null mask: it is never null.
    if (column->col_type == MDB_BOOL) {
        statement.BindInt(index, boundLength > 0 && bound[0] == '1' ? 1 : 0);
        return;
    }
    if (isNull) {
        statement.BindNull(index);
        return;
    }
    const unsigned char* row = mdb->pg_buf + column->cur_value_start;
    switch (column->col_type) {
    case MDB_BYTE:
        statement.BindInt(index, mdb_get_byte(mdb->pg_buf, column->cur_value_start));
        break;
    case MDB_INT:
        statement.BindInt(index, qint16(mdb_get_int16(mdb->pg_buf, column->cur_value_start)));
        break;
    case MDB_LONGINT:
        statement.BindInt(index, qint32(mdb_get_int32(mdb->pg_buf, column->cur_value_start)));
        break;
    case MDB_FLOAT:
        statement.BindText(index, SingleText(mdb_get_single(mdb->pg_buf, column->cur_value_start)).toUtf8(),
                           -1);
        break;
    case MDB_DOUBLE:
        statement.BindDouble(index, mdb_get_double(mdb->pg_buf, column->cur_value_start));
        break;
    case MDB_DATETIME:
        statement.BindText(index, DateText(mdb_get_double(mdb->pg_buf, column->cur_value_start)).toUtf8(),
                           -1);
        break;
    case MDB_BINARY:
        statement.BindBlob(index, row, column->cur_value_len);
        break;
    case MDB_OLE: {
        size_t size = 0;
        void* data = mdb_ole_read_full(mdb, column, &size);
        statement.BindBlob(index, data, int(size));
        free(data);
        break;
    }
    default:
        statement.BindText(index, bound, boundLength);
        break;
    }
}

QString DateText(double value)
{
    // Before 1899-12-30 the whole days count backwards while the fraction still counts forwards.
    const double days = std::trunc(value);
    qint64 seconds = std::llround(std::fabs(value - days) * 86400.0);
    qint64 wholeDays = qint64(days);
    if (seconds >= 86400) {
        seconds -= 86400;
        wholeDays += value < 0 ? -1 : 1;
    }
    const QDate date = QDate(1899, 12, 30).addDays(wholeDays);
    return QStringLiteral("%1 %2:%3:%4")
        .arg(date.toString(Qt::ISODate))
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString SingleText(float value)
{
    for (int digits = 6; digits < 9; ++digits) {
        const QString text = QString::number(double(value), 'g', digits);
        if (text.toFloat() == value)
            return text;
    }
    return QString::number(double(value), 'g', 9);
}

} // namespace JetValue
