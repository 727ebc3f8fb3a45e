// The Linux backend's fonts: the build's face found through fontconfig, sized
// so that its line box is the asked height as on Windows, per-character
// fallback faces, and the cache of rendered glyphs.
#include "platform/sdl/fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "locale/string_table.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/text.h"

namespace orvane::sdl {

namespace {

constexpr char32_t directLimit = 0x800;
const char* const lastResortFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Faces whose advance widths are Arial's, glyph for glyph.
constexpr const char* arialMetricFamilies[] = {"Arial", "Liberation Sans", "Arimo"};

// The fonts' part of the running backend.
Fonts& fonts() { return backend().fonts; }

FcPattern* substitutedPattern(const char* family, const std::string& language) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return nullptr;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(language.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    return pattern;
}

bool hasArialMetrics(FcPattern* match) {
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
        for (const char* name : arialMetricFamilies) {
            if (FcStrCmpIgnoreCase(family, reinterpret_cast<const FcChar8*>(name)) == 0) return true;
        }
    }
    return false;
}

bool fileOf(FcPattern* font, FontFile& file) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch || !path) return false;
    file.path = reinterpret_cast<const char*>(path);
    file.index = 0;
    FcPatternGetInteger(font, FC_INDEX, 0, &file.index);
    return true;
}

// The primary face's file: Arial's metrics first, then the language's
// default sans face, then DejaVu Sans's file.
void findPrimaryFile() {
    Fonts& state = fonts();
    state.searched = true;
    state.files.assign(1, FontFile{lastResortFile, 0});
    if (!FcInit()) return;
    state.fontconfigStarted = true;
    const std::string language = languageCode();
    for (const char* family : {"Arial", "sans-serif"}) {
        FcPattern* pattern = substitutedPattern(family, language);
        if (!pattern) return;
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        const bool wanted = match && (std::strcmp(family, "Arial") != 0 || hasArialMetrics(match));
        if (wanted && fileOf(match, state.files[0])) {
            state.request.reset(pattern);
            FcPatternDestroy(match);
            return;
        }
        if (match) FcPatternDestroy(match);
        FcPatternDestroy(pattern);
    }
}

// Whether a font of the sorted set may stand in for a missing character:
// outline glyphs in one colour (FreeType draws no colour bitmaps here), and
// in the first pass only upright faces of regular weight.
bool usableFallback(FcPattern* font, bool regularOnly) {
    FcBool flag = FcFalse;
    if (FcPatternGetBool(font, FC_COLOR, 0, &flag) == FcResultMatch && flag) return false;
    if (FcPatternGetBool(font, FC_OUTLINE, 0, &flag) == FcResultMatch && !flag) return false;
    if (!regularOnly) return true;
    int slant = FC_SLANT_ROMAN;
    int weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(font, FC_SLANT, 0, &slant);
    FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
    return slant == FC_SLANT_ROMAN && weight <= FC_WEIGHT_MEDIUM;
}

// The file of the first font of the sorted set that has the character, as an
// index into `files`; -1 when no installed font has it. Asked once per
// character.
int fallbackFileFor(char32_t codePoint) {
    Fonts& state = fonts();
    if (auto found = state.fallbackFileOf.find(codePoint); found != state.fallbackFileOf.end()) return found->second;
    int chosen = -1;
    if (!state.sortedFontsMade) {
        state.sortedFontsMade = true;
        FcResult result = FcResultNoMatch;
        if (state.request) state.sortedFonts.reset(FcFontSort(nullptr, state.request.get(), FcTrue, nullptr, &result));
    }
    FcFontSet* sortedFonts = state.sortedFonts.get();
    std::vector<FontFile>& files = state.files;
    for (int pass = 0; sortedFonts && pass < 2 && chosen < 0; ++pass) {
        for (int i = 0; i < sortedFonts->nfont; ++i) {
            FcPattern* font = sortedFonts->fonts[i];
            FcCharSet* charset = nullptr;
            if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch ||
                !FcCharSetHasChar(charset, codePoint) || !usableFallback(font, pass == 0)) {
                continue;
            }
            FontFile file;
            if (!fileOf(font, file)) continue;
            const auto same = std::find_if(files.begin(), files.end(), [&](const FontFile& known) {
                return known.path == file.path && known.index == file.index;
            });
            chosen = static_cast<int>(same - files.begin());
            if (same == files.end()) files.push_back(file);
            break;
        }
    }
    state.fallbackFileOf.emplace(codePoint, chosen);
    return chosen;
}

// Sizes a face as GDI sizes a LOGFONT height and sets the cell's ascent and
// descent. A positive height is the cell: the Windows ascent plus descent of
// the OS/2 table (ascender minus descender where that table is missing) give
// the pixels per em, rounded to a whole number as GDI rounds them, and the
// cell's ascent and descent are those of the face at that size.
bool sizeFace(FT_Face face, int32_t logfontHeight, int32_t& ascent, int32_t& descent) {
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) return false;
    double cellAscent = face->ascender;
    double cellDescent = -static_cast<double>(face->descender);
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        cellAscent = os2->usWinAscent;
        // Some fonts store a negative descent in this unsigned field.
        cellDescent = std::abs(static_cast<int16_t>(os2->usWinDescent));
    }
    const double cellUnits = cellAscent + cellDescent;
    if (cellUnits <= 0) return false;
    const double units = face->units_per_EM;
    const double height = logfontHeight == 0 ? 16 : logfontHeight;
    const double ppem = height > 0 ? std::floor(units * height / cellUnits + 0.5) : -height;
    if (ppem < 1 || ppem > 4096) return false;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem)) != 0) return false;
    ascent = static_cast<int32_t>(std::lround(cellAscent * ppem / units));
    descent = static_cast<int32_t>(std::lround(cellDescent * ppem / units));
    return true;
}

FontFace* openFace(size_t file, int32_t logfontHeight) {
    Fonts& state = fonts();
    for (auto& open : state.openFaces) {
        if (open.file == file && open.height == logfontHeight) return open.face.get();
    }
    if (!state.library) {
        FT_Library library = nullptr;
        if (FT_Init_FreeType(&library) != 0) return nullptr;
        state.library.reset(library);
    }
    FT_Face ftFace = nullptr;
    const FontFile& source = state.files[file];
    if (FT_New_Face(state.library.get(), source.path.c_str(), source.index, &ftFace) != 0) {
        if (file != 0 || FT_New_Face(state.library.get(), lastResortFile, 0, &ftFace) != 0) return nullptr;
    }
    std::unique_ptr<FontFace, FaceRelease> face(new FontFace);
    face->face = ftFace;
    face->requestedHeight = logfontHeight;
    if (!sizeFace(ftFace, logfontHeight, face->ascent, face->descent)) return nullptr;
    face->directIndex.assign(directLimit, 0);
    state.openFaces.push_back(OpenFace{file, logfontHeight, std::move(face)});
    return state.openFaces.back().face.get();
}

Glyph rasterise(FontFace& face, uint32_t index) {
    Glyph glyph;
    glyph.face = &face;
    glyph.index = index;
    auto* ftFace = static_cast<FT_Face>(face.face);
    if (FT_Load_Glyph(ftFace, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) != 0) return glyph;
    FT_GlyphSlot slot = ftFace->glyph;
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

std::string languageCode() {
    std::string code;
    for (char16_t unit : stringTable().languageCode) code.push_back(static_cast<char>(unit & 0x7F));
    return code;
}

void FaceRelease::operator()(FontFace* face) const {
    if (face->shaper) hb_font_destroy(static_cast<hb_font_t*>(face->shaper));
    if (face->face) FT_Done_Face(static_cast<FT_Face>(face->face));
    delete face;
}

Fonts::~Fonts() {
    openFaces.clear();
    library.reset();
    sortedFonts.reset();
    request.reset();
    if (fontconfigStarted) FcFini();
}

FontFace* fontFace(int32_t logfontHeight) {
    if (!fonts().searched) findPrimaryFile();
    return openFace(0, logfontHeight);
}

bool faceHas(const FontFace& face, char32_t codePoint) {
    return FT_Get_Char_Index(static_cast<FT_Face>(face.face), codePoint) != 0;
}

const Glyph& glyphOf(FontFace& face, char32_t codePoint) {
    int32_t* slot = codePoint < directLimit ? &face.directIndex[codePoint] : &face.otherIndex[codePoint];
    if (*slot == 0) {
        FontFace* from = &face;
        uint32_t index = FT_Get_Char_Index(static_cast<FT_Face>(face.face), codePoint);
        if (index == 0) {
            const int file = fallbackFileFor(codePoint);
            FontFace* fallback = file > 0 ? openFace(static_cast<size_t>(file), face.requestedHeight) : nullptr;
            const uint32_t fallbackIndex =
                fallback ? FT_Get_Char_Index(static_cast<FT_Face>(fallback->face), codePoint) : 0;
            if (fallbackIndex != 0) {
                from = fallback;
                index = fallbackIndex;
            }
        }
        face.glyphs.push_back(rasterise(*from, index));
        face.glyphs.back().needsShaping = needsShaping(codePoint);
        *slot = static_cast<int32_t>(face.glyphs.size());
    }
    return face.glyphs[static_cast<size_t>(*slot - 1)];
}

const Glyph& glyphByIndex(FontFace& face, uint32_t index) {
    auto found = face.shapedGlyphs.find(index);
    if (found == face.shapedGlyphs.end()) found = face.shapedGlyphs.emplace(index, rasterise(face, index)).first;
    return found->second;
}

}  // namespace orvane::sdl
