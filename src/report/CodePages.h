#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows code pages used by RTF text. 1256 (Arabic script) and 1252 (Western) are read from our own
// tables; the others (1250, 1251, 1253 to 1258, 874, 932, 936, 949, 950, the Macintosh and DOS pages)
// through Qt's converters. Symbol fonts (Symbol, Wingdings) have no code page: their bytes are glyph
// numbers, read by SymbolChar.
namespace CodePages {

// The code page that stands for a symbol font.
constexpr int Symbol = 42;

// The text of bytes in a code page; unknown code pages read as 1252, unassigned bytes as U+FFFD.
// Multi-byte pages (932, 936, 949, 950) need the bytes of a character together.
QString Decode(int codePage, QByteArrayView bytes);

// The code page of an RTF font character set (\fcharset), or 0 when it has none of its own.
int OfCharset(int charset);

// Whether a font name is one of the symbol fonts whose glyphs SymbolChar knows.
bool IsSymbolFont(QStringView fontName);

// The Unicode character of a glyph number in a symbol font; the glyph may also be written in the
// private range U+F020 to U+F0FF, as Word writes it. Wingdings glyphs without an equivalent read as a
// bullet, Symbol glyphs without one as the Latin-1 character of the same number.
QChar SymbolChar(QStringView fontName, char16_t glyph);

} // namespace CodePages
