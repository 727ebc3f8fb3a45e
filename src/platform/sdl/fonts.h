#pragma once
// Font faces for the software canvas.
//
// The face of a LOGFONT height is the one fontconfig gives for "Arial" in the
// build's language, kept only when it really has Arial's metrics (Liberation
// Sans, Arimo, or Arial itself): that is the face Windows draws the program's
// fonts with, so every text is as wide as there. Without one the default sans
// face of the language is taken, and without fontconfig DejaVu Sans's file.
//
// Faces are sized the way GDI sizes a LOGFONT: a positive height is the cell
// height, the face's Windows ascent plus descent (OS/2 table), which gives a
// whole number of pixels per em; a negative height is the em size itself.
//
// A character the face lacks is drawn with the first face of fontconfig's
// sorted set for the same request that has it, sized for the same LOGFONT
// height and placed on the same baseline; only a character no installed face
// has is drawn as the face's own missing-glyph mark. Each glyph is rasterised
// once into an 8-bit coverage mask and kept while the backend runs, and so is
// each answer fontconfig gave.

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace orvane::sdl {

struct FontFace;

struct Glyph {
    int32_t left = 0;     // from the pen position to the mask's first column
    int32_t top = 0;      // from the baseline up to the mask's first row
    int32_t width = 0;
    int32_t height = 0;
    int32_t advance = 0;  // whole pixels, as GDI advances
    std::vector<uint8_t> coverage;  // width * height
    FontFace* face = nullptr;       // the face it comes from
    uint32_t index = 0;             // its index in that face; 0 is the missing-glyph mark
    bool needsShaping = false;      // its character needs shaping or reordering with its neighbours
};

struct FontFace {
    int32_t requestedHeight = 0;  // the LOGFONT height it was made for
    int32_t ascent = 0;           // pixels from the top of the cell to the baseline
    int32_t descent = 0;
    void* face = nullptr;         // FT_Face, sized
    void* shaper = nullptr;       // hb_font_t over `face`, made when a text first needs shaping
    // Glyphs by character (from this face or the fallback face that has the
    // character): below 0x800 through a table, the rest through a map; both
    // hold an index into `glyphs` plus 1.
    std::vector<int32_t> directIndex;
    std::unordered_map<char32_t, int32_t> otherIndex;
    std::deque<Glyph> glyphs;  // a deque: references stay valid as it grows
    // Glyphs of this face by glyph index, for shaped texts.
    std::unordered_map<uint32_t, Glyph> shapedGlyphs;
};

struct FontFile {
    std::string path;
    int index = 0;
};

// Owning handles of what FreeType and fontconfig hand out.
struct FaceRelease {
    void operator()(FontFace* face) const;  // its HarfBuzz font, its FreeType face, itself
};
struct LibraryRelease {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct PatternRelease {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetRelease {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

struct OpenFace {
    size_t file = 0;  // into Fonts::files
    int32_t height = 0;
    std::unique_ptr<FontFace, FaceRelease> face;
};

// Everything the fonts keep while the backend runs (its part of the backend's
// state, backend.h). Ending it closes the faces, then the FreeType library
// they were opened with (members end in reverse order), then gives back what
// fontconfig holds.
struct Fonts {
    Fonts() = default;
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    bool fontconfigStarted = false;  // FcInit succeeded: FcFini is due at the end
    std::unique_ptr<FT_LibraryRec_, LibraryRelease> library;
    bool searched = false;
    std::vector<FontFile> files;  // files[0]: the primary face's file
    // What the primary face was asked for, substituted, and fontconfig's
    // sorted set for it (made on first need).
    std::unique_ptr<FcPattern, PatternRelease> request;
    std::unique_ptr<FcFontSet, FontSetRelease> sortedFonts;
    bool sortedFontsMade = false;
    std::unordered_map<char32_t, int> fallbackFileOf;  // character -> index into `files`, -1: none has it
    std::vector<OpenFace> openFaces;
};

// The build's language code ("en", "ru"), as fontconfig and HarfBuzz take it.
std::string languageCode();

// The face for a LOGFONT height in the build's language, loaded on first use
// and kept. Null when no font file can be found or opened.
FontFace* fontFace(int32_t logfontHeight);

// The glyph that draws one character in `face`'s font: the face's own, a
// fallback face's, or, when no installed face has the character, the face's
// missing-glyph mark. Rasterised on first use.
const Glyph& glyphOf(FontFace& face, char32_t codePoint);

// One glyph of a face by its glyph index (rasterised on first use).
const Glyph& glyphByIndex(FontFace& face, uint32_t index);

// Whether the face itself has a glyph for the character.
bool faceHas(const FontFace& face, char32_t codePoint);

}  // namespace orvane::sdl
