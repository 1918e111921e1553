#pragma once

#include <QString>

class QFont;
class QTextDocument;

// Reads formatted text (RTF) into a text document: groups, code pages 1256 and 1252 with \'hh,
// Unicode characters with their fallback skipping, font and colour tables, character formatting
// (font, size, bold, italic, underline, colour), paragraphs, line breaks, tabs, paragraph alignment and
// direction. Destinations it does not know are skipped. The text may come from anywhere: damage gives
// a partial document or a refusal, never a crash or a hang.
class RtfReader
{
public:
    // Deeper nesting than this is refused.
    static constexpr int MaxDepth = 200;

    // Whether the text claims to be RTF.
    static bool LooksLikeRtf(const QString& text);

    // Replaces the document's content with the RTF text. The base font serves where the text names no
    // font of its own. Returns false, leaving the document empty, when the text is not RTF or cannot
    // be read.
    static bool Read(const QString& rtf, QTextDocument& document, const QFont& baseFont);
};
