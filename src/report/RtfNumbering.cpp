#include "RtfNumbering.h"

#include <algorithm>

namespace {

QString Roman(int number)
{
    static const struct
    {
        int value;
        const char* digits;
    } numerals[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
                    {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},  {1, "I"}};
    QString text;
    for (const auto& numeral : numerals) {
        while (number >= numeral.value) {
            text += QLatin1String(numeral.digits);
            number -= numeral.value;
        }
    }
    return text;
}

QString Letters(int number)
{
    const int repeat = (number - 1) / 26 + 1;
    return QString(std::min(repeat, 8), QChar(u'A' + (number - 1) % 26));
}

} // namespace

namespace RtfNumbering {

QString Format(int number, int style)
{
    switch (style) {
    case UpperRoman:
    case LowerRoman:
        if (number >= 1 && number <= 3999) {
            const QString text = Roman(number);
            return style == UpperRoman ? text : text.toLower();
        }
        break;
    case UpperLetter:
    case LowerLetter:
        if (number >= 1) {
            const QString text = Letters(number);
            return style == UpperLetter ? text : text.toLower();
        }
        break;
    case LeadingZero:
        if (number >= 0 && number < 10)
            return QLatin1Char('0') + QString::number(number);
        break;
    case Bullet:
        return QString(QChar(0x2022));
    case None:
        return QString();
    default:
        break;
    }
    return QString::number(number);
}

} // namespace RtfNumbering
