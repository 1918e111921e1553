#pragma once

#include <string_view>

// The letters of an Arabic presentation form (U+FB50-U+FDFF, U+FE70-U+FEFF) by its compatibility
// decomposition: U+FEFB (lam with alef, isolated) gives lam and alef, U+FDF2 the four letters of Allah.
// The spacing forms of the marks give their marks alone. Empty for any other character.
std::u16string_view ArabicPresentationFormLetters(char32_t c);
