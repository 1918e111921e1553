#pragma once

#include <QString>

// What a reader expects a search phrase to find, written independently of the program: '%' is any
// run of characters, '_' any one character, ASCII letters match regardless of case, and the Arabic
// and Persian forms of yeh and kaf are one letter. Enough for the letters the walk types.
bool PhraseFound(const QString& phrase, const QString& text);
