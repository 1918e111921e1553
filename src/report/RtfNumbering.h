#pragma once

#include <QString>

// Numbers of list items as RTF lists write them. The styles are the values of \levelnfc; the older
// paragraph numbering (\pndec, \pnucrm, ...) maps onto the same values.
namespace RtfNumbering {

enum Style
{
    Decimal = 0,
    UpperRoman = 1,
    LowerRoman = 2,
    UpperLetter = 3,
    LowerLetter = 4,
    LeadingZero = 22,
    Bullet = 23,
    None = 255
};

// The text of a number in a style: roman numerals up to 3999, letters A to Z then AA, BB and so on,
// decimal otherwise.
QString Format(int number, int style);

} // namespace RtfNumbering
