#include "platform/sdl/fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <memory>
#include <string>

#include "locale/string_table.h"

namespace orvane::sdl {

namespace {

constexpr char32_t directLimit = 0x800;
const char* const fallbackFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

FT_Library library = nullptr;
bool fontFileSearched = false;
std::string fontFile;
int fontIndex = 0;
std::vector<std::unique_ptr<FontFace>> faces;

std::string languageCode() {
    std::string code;
    for (char16_t unit : stringTable().languageCode) code.push_back(static_cast<char>(unit & 0x7F));
    return code;
}

// The file of the default sans face that covers the build's language.
void findFontFile() {
    fontFileSearched = true;
    fontFile = fallbackFontFile;
    fontIndex = 0;
    if (!FcInit()) return;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return;
    const std::string language = languageCode();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(language.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
            fontFile = reinterpret_cast<const char*>(file);
            if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) fontIndex = index;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
}

// Sizes the face as GDI sizes a LOGFONT height and returns the cell's ascent
// and descent: the cell is the font's Windows ascent plus descent (OS/2
// table), or its ascender minus descender where that table is missing.
bool sizeFace(FT_Face face, int32_t logfontHeight, int32_t& ascent, int32_t& descent) {
    double cellAscent = face->ascender;
    double cellDescent = -static_cast<double>(face->descender);
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        cellAscent = os2->usWinAscent;
        cellDescent = os2->usWinDescent;
    }
    const double cellUnits = cellAscent + cellDescent;
    if (cellUnits <= 0 || face->units_per_EM == 0) return false;

    int32_t cellHeight = 0;
    double emPixels = 0;
    if (logfontHeight > 0) {
        cellHeight = logfontHeight;
        emPixels = logfontHeight * face->units_per_EM / cellUnits;
    } else {
        // Zero asks for the default size; negative heights give the em size.
        emPixels = logfontHeight == 0 ? 16.0 * face->units_per_EM / cellUnits : -double(logfontHeight);
        cellHeight = static_cast<int32_t>(std::lround(emPixels * cellUnits / face->units_per_EM));
    }
    if (emPixels < 1 || emPixels > 4096) return false;
    const auto em26_6 = static_cast<FT_F26Dot6>(std::lround(emPixels * 64));
    if (FT_Set_Char_Size(face, 0, em26_6, 72, 72) != 0) return false;
    ascent = static_cast<int32_t>(std::lround(cellAscent * cellHeight / cellUnits));
    descent = cellHeight - ascent;
    return true;
}

Glyph rasterise(FT_Face face, char32_t codePoint) {
    Glyph glyph;
    const FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) != 0) return glyph;
    FT_GlyphSlot slot = face->glyph;
    glyph.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_LIGHT) != 0) return glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0 || bitmap.rows == 0) return glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int32_t>(bitmap.width);
    glyph.height = static_cast<int32_t>(bitmap.rows);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
    for (int32_t row = 0; row < glyph.height; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        std::copy(source, source + glyph.width, glyph.coverage.begin() + static_cast<ptrdiff_t>(row) * glyph.width);
    }
    return glyph;
}

}  // namespace

FontFace* fontFace(int32_t logfontHeight) {
    for (auto& face : faces) {
        if (face->requestedHeight == logfontHeight) return face.get();
    }
    if (!library && FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        return nullptr;
    }
    if (!fontFileSearched) findFontFile();
    FT_Face ftFace = nullptr;
    if (FT_New_Face(library, fontFile.c_str(), fontIndex, &ftFace) != 0) {
        if (FT_New_Face(library, fallbackFontFile, 0, &ftFace) != 0) return nullptr;
    }
    auto face = std::make_unique<FontFace>();
    face->requestedHeight = logfontHeight;
    if (!sizeFace(ftFace, logfontHeight, face->ascent, face->descent)) {
        FT_Done_Face(ftFace);
        return nullptr;
    }
    face->face = ftFace;
    face->directIndex.assign(directLimit, 0);
    faces.push_back(std::move(face));
    return faces.back().get();
}

const Glyph& glyphOf(FontFace& face, char32_t codePoint) {
    int32_t* slot = nullptr;
    if (codePoint < directLimit) {
        slot = &face.directIndex[codePoint];
    } else {
        slot = &face.otherIndex[codePoint];
    }
    if (*slot == 0) {
        face.glyphs.push_back(rasterise(static_cast<FT_Face>(face.face), codePoint));
        *slot = static_cast<int32_t>(face.glyphs.size());
    }
    return face.glyphs[static_cast<size_t>(*slot - 1)];
}

}  // namespace orvane::sdl
