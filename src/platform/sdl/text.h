#pragma once
// Texts on the Linux backend: UTF-16 as the bytes Linux wants, and the layout
// of a text in a face.
//
// Almost every text of the frame is plain: Latin, Cyrillic, digits and
// symbols, each character drawn by one glyph. Those are placed as GDI's
// TextOutW places them, glyph after glyph by whole-pixel advance widths with
// no kerning and no ligatures, so they are exactly as wide as on Windows; the
// glyphs come from a cache, so a plain text costs a lookup per character. A
// text with a character that needs its neighbours (right-to-left letters,
// combining marks, scripts whose letters join or reorder) is shaped with
// HarfBuzz, run by run, and its runs are put in visual order with FriBidi, as
// Windows' TextOutW does inside for the same text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sdl/fonts.h"

namespace orvane::sdl {

std::string utf8Of(std::u16string_view text);

// The characters of a UTF-16 text as the canvas draws them: surrogate pairs
// joined, a lone surrogate (an undecodable byte of a file name) as U+FFFD,
// and U+F05C, which carries a backslash byte of a file name, as "\".
template <typename Visit>
void forEachCharacter(std::u16string_view text, Visit&& visit) {
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            if (cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
                ++i;
            } else {
                cp = 0xFFFD;
            }
        } else if (cp == 0xF05C) {
            cp = u'\\';
        }
        visit(cp);
    }
}

// Whether a character needs shaping or reordering with its neighbours:
// right-to-left letters and digits, explicit direction marks, combining marks
// and other format characters, and the scripts whose letters combine.
bool needsShaping(char32_t codePoint);

// The width of a plain text in pixels, or -1 when the text needs shaping.
inline int64_t plainTextWidth(FontFace& face, std::u16string_view text) {
    int64_t pen = 0;
    bool plain = true;
    forEachCharacter(text, [&](char32_t cp) {
        const Glyph& glyph = glyphOf(face, cp);
        plain = plain && !glyph.needsShaping;
        pen += glyph.advance;
    });
    return plain ? pen : -1;
}

// Calls `draw(glyph, penX)` for each character of a plain text, pen positions
// starting at 0.
template <typename Draw>
void drawPlainText(FontFace& face, std::u16string_view text, Draw&& draw) {
    int64_t pen = 0;
    forEachCharacter(text, [&](char32_t cp) {
        const Glyph& glyph = glyphOf(face, cp);
        draw(glyph, pen);
        pen += glyph.advance;
    });
}

// One glyph of a shaped text: its pen position from the text's left end and
// its offset below the baseline, and the character (index into the text's
// characters, as forEachCharacter gives them) it belongs to.
struct PlacedGlyph {
    const Glyph* glyph = nullptr;
    int64_t x = 0;
    int64_t y = 0;
    size_t character = 0;
};

// Shapes a text: each character in the face that has it (a combining mark in
// its base's face when that has it), runs of one face, script and direction
// shaped with HarfBuzz, the runs in visual order of a left-to-right paragraph
// (TextOutW's order unless a right-to-left reading flag is set, which the
// program never sets). Fills `placed` left to right and returns the width.
int64_t shapeText(FontFace& face, std::u16string_view text, std::vector<PlacedGlyph>& placed);

}  // namespace orvane::sdl
