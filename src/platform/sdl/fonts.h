#pragma once
// Font faces for the software canvas: the default sans face for the build's
// language, found through fontconfig, opened with FreeType and sized the way
// GDI sizes a LOGFONT (a positive height is the cell height, ascent plus
// descent; a negative one the em size). Each glyph is rasterised once into an
// 8-bit coverage mask and kept for the rest of the run.

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvane::sdl {

struct Glyph {
    int32_t left = 0;     // from the pen position to the mask's first column
    int32_t top = 0;      // from the baseline up to the mask's first row
    int32_t width = 0;
    int32_t height = 0;
    int32_t advance = 0;  // whole pixels, as GDI advances
    std::vector<uint8_t> coverage;  // width * height
};

struct FontFace {
    int32_t requestedHeight = 0;  // the LOGFONT height it was made for
    int32_t ascent = 0;           // pixels from the top of the cell to the baseline
    int32_t descent = 0;
    void* face = nullptr;         // FT_Face
    std::vector<int32_t> directIndex;  // code point below 0x800 -> glyphs index + 1
    std::unordered_map<char32_t, int32_t> otherIndex;
    std::vector<Glyph> glyphs;
};

// The face for a LOGFONT height in the build's language, loaded on first use
// and kept. Null when no font file can be found or opened.
FontFace* fontFace(int32_t logfontHeight);

// The glyph of one code point (rasterised on first use).
const Glyph& glyphOf(FontFace& face, char32_t codePoint);

// Calls `draw(glyph, penX)` for each code point of a UTF-16 text, pen positions
// starting at 0. Lone surrogates are drawn as U+FFFD. Returns the text's width.
template <typename Draw>
int64_t layOutText(FontFace& face, std::u16string_view text, Draw&& draw) {
    int64_t pen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        const Glyph& glyph = glyphOf(face, cp);
        draw(glyph, pen);
        pen += glyph.advance;
    }
    return pen;
}

}  // namespace orvane::sdl
