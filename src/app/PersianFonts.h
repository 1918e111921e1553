#pragma once

// Puts installed faces with Persian letters in place of the declared Tahoma and Arial. DejaVu Sans
// comes first: it has Tahoma's line height (14 pixels at 9 points), so the declared rectangles of
// the window and the report hold the lines they were drawn for.
void InstallPersianFontSubstitutes();
