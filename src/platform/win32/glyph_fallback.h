#pragma once
// TextOutW with a fallback for characters the selected font has no glyph for.
//
// GDI's TextOutW draws a character the selected font lacks as that font's
// missing-glyph box; it looks for no other face. The program's fonts are
// asked for by height and character set only, so the face is the platform's
// default, which on some systems lacks a character the frame draws (the
// arrowheads U+02C2 to U+02C5 are not in Arial's metric twin Liberation Sans,
// the default under Wine, nor in every Windows default face).
//
// Before a text is drawn, the characters the selected font lacks are found
// with GetGlyphIndicesW; the answer is kept per font and character, with the
// font's ascent. For a font that call fails for (a bitmap face the font
// mapper chose, say), its character set tells instead: it keeps every
// character its code page holds. A text the font has whole goes to TextOutW
// unchanged. Otherwise the text is drawn piece by piece: the pieces the font
// has in it, the others in the first installed face of a list that has them
// (same LOGFONT but for the face name; made once and kept), each piece where
// the text continues, on the same baseline. Characters no face of the list
// has stay with the selected font.

#include <windows.h>

#include <string_view>

namespace orvane::platform::win32 {

// TextOutW(dc, x, y, text) with the fallback above. Returns 1 when every
// piece was drawn, else 0. Before startGlyphFallback, or after
// endGlyphFallback, the text goes to TextOutW whole.
int textOutWithFallback(HDC dc, int x, int y, std::u16string_view text);

// Called before a font is deleted: its handle may name another font later.
void forgetFont(HGDIOBJ object);

// What is known of the fonts, the fallback faces made, and the backend's own
// drawing context for asking about them: made by start, all given back by end.
void startGlyphFallback();
void endGlyphFallback();

}  // namespace orvane::platform::win32
