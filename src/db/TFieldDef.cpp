#include "TFieldDef.h"

#include <QRegularExpression>

namespace {

// Short text declared without a length.
constexpr int DefaultTextLength = 255;

} // namespace

void ApplyDeclaredType(TFieldDef& def, const QString& declaredType)
{
    const QString type = declaredType.trimmed().toUpper();
    static const QRegularExpression lengthPattern(QStringLiteral("\\(\\s*(\\d+)\\s*(,\\s*\\d+\\s*)?\\)"));
    const QRegularExpressionMatch length = lengthPattern.match(type);
    if (type.isEmpty()) {
        def.type = TFieldType::ftMemo;
    } else if (type.contains(QLatin1String("INT"))) {
        def.type = TFieldType::ftInteger;
    } else if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("TEXT")) ||
               type.contains(QLatin1String("CLOB")) || type.contains(QLatin1String("MEMO"))) {
        if (length.hasMatch()) {
            def.type = TFieldType::ftString;
            def.size = length.captured(1).toInt();
        } else if (type.contains(QLatin1String("CHAR"))) {
            def.type = TFieldType::ftString;
            def.size = DefaultTextLength;
        } else {
            def.type = TFieldType::ftMemo;
        }
    } else if (type.contains(QLatin1String("REAL")) || type.contains(QLatin1String("FLOA")) ||
               type.contains(QLatin1String("DOUB")) || type.contains(QLatin1String("NUM")) ||
               type.contains(QLatin1String("DEC"))) {
        def.type = TFieldType::ftFloat;
    } else if (type.contains(QLatin1String("BLOB"))) {
        def.type = TFieldType::ftBlob;
    } else {
        def.type = TFieldType::ftMemo;
    }
}
