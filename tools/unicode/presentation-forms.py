#!/usr/bin/env python3
"""Writes src/db/ArabicPresentationForms.cpp: the letters of every Arabic presentation form.

Each form in U+FB50-U+FDFF and U+FE70-U+FEFF with a compatibility decomposition is listed with the
characters of its full compatibility decomposition (NFKD). The spacing forms of the marks (a blank
followed by marks, such as U+FE70) are listed with their marks alone: they stand for marks, not for a
blank between words. Run from the repository's root: tools/unicode/presentation-forms.py
"""
import unicodedata

RANGES = [(0xFB50, 0xFDFF), (0xFE70, 0xFEFF)]
MARKS = {"Mn", "Me"}

rows = []
for first, last in RANGES:
    for code in range(first, last + 1):
        char = chr(code)
        if unicodedata.decomposition(char) == "":
            continue
        letters = unicodedata.normalize("NFKD", char)
        if letters.startswith(" ") and all(unicodedata.category(c) in MARKS for c in letters[1:]):
            letters = letters[1:]
        rows.append((code, letters))

pool = []
entries = []
for code, letters in rows:
    entries.append((code, len(pool), len(letters)))
    pool.extend(ord(c) for c in letters)

with open("src/db/ArabicPresentationForms.cpp", "w", encoding="utf-8") as out:
    out.write("// Written by tools/unicode/presentation-forms.py from Unicode %s; do not edit.\n"
              % unicodedata.unidata_version)
    out.write('#include "ArabicPresentationForms.h"\n\n#include <algorithm>\n#include <cstdint>\n\n')
    out.write("namespace {\n\n")
    out.write("// The letters of all forms, one after another.\nconstexpr char16_t Letters[] = {\n")
    for i in range(0, len(pool), 12):
        out.write("    " + ", ".join("0x%04X" % c for c in pool[i:i + 12]) + ",\n")
    out.write("};\n\n")
    out.write("struct Form\n{\n    char16_t code;\n    std::uint16_t offset;\n    std::uint8_t length;\n};\n\n")
    out.write("// Sorted by code.\nconstexpr Form Forms[] = {\n")
    for code, offset, length in entries:
        out.write("    {0x%04X, %d, %d},\n" % (code, offset, length))
    out.write("};\n\n} // namespace\n\n")
    out.write("std::u16string_view ArabicPresentationFormLetters(char32_t c)\n{\n")
    out.write("    if (c < 0xFB50 || c > 0xFEFF)\n        return {};\n")
    out.write("    const auto* form = std::lower_bound(std::begin(Forms), std::end(Forms), c,\n")
    out.write("                                        [](const Form& f, char32_t code) { return f.code < code; });\n")
    out.write("    if (form == std::end(Forms) || form->code != c)\n        return {};\n")
    out.write("    return {Letters + form->offset, form->length};\n}\n")
print(len(entries), "forms,", len(pool), "letters")
