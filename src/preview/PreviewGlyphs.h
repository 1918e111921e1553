#pragma once

#include <QIcon>

// The 16 × 16 pictures of the preview's toolbar, drawn in code.
namespace PreviewGlyphs {

enum class Glyph
{
    ZoomToFit,
    Zoom100,
    ZoomToWidth,
    FirstPage,
    PreviousPage,
    NextPage,
    LastPage,
    PrinterSetup,
    Print,
    Save,
    Load
};

QIcon Icon(Glyph glyph);

} // namespace PreviewGlyphs
