#pragma once

#include <string_view>

struct sqlite3;

// LIKE as readers of Persian expect it. '%' stands for any run of characters and '_' for one
// character. ASCII letters match without regard to case; the Arabic and Persian forms of yeh (ي ی ى)
// and of kaf (ك ک) are one letter, and so are the Persian, Arabic-Indic and ASCII digits. Tatweel,
// the zero-width non-joiner and the Arabic diacritics are ignored on both sides. Invalid UTF-8 bytes
// stand for themselves, one character each.
bool FoldingLikeMatch(std::string_view pattern, std::string_view text, char32_t escape = 0);

// Makes LIKE (with or without ESCAPE) on the connection use FoldingLikeMatch.
void RegisterFoldingLike(sqlite3* database);
