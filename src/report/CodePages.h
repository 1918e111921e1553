#pragma once

#include <QChar>

// Single-byte Windows code pages used by RTF text: 1256 (Arabic script) and 1252 (Western).
namespace CodePages {

// Whether the code page is one of ours.
bool Known(int codePage);

// The character of a byte; unknown code pages read as 1252, unassigned bytes as U+FFFD.
QChar ToUnicode(int codePage, unsigned char byte);

// The code page of an RTF font character set (\fcharset), or 0 when it has none of its own.
int OfCharset(int charset);

} // namespace CodePages
