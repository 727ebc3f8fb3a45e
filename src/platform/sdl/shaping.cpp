// Texts that need their neighbours: shaped with HarfBuzz run by run, runs in
// visual order by FriBidi (src/platform/sdl/text.h).

#include <fribidi.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "platform/sdl/text.h"

namespace orvane::sdl {

namespace {

// Scripts whose letters combine with their neighbours although none of them
// is a mark or a right-to-left letter: the Brahmic scripts (Devanagari to
// Sinhala, Tibetan, Myanmar, Khmer), Mongolian, and conjoining Hangul jamo.
constexpr struct {
    char32_t first, last;
} combiningScripts[] = {{0x0900, 0x0DFF}, {0x0F00, 0x0FFF}, {0x1000, 0x109F}, {0x1100, 0x11FF},
                        {0x1780, 0x18AF}, {0xA960, 0xA97F}, {0xD7B0, 0xD7FF}};

bool isMark(hb_unicode_general_category_t category) {
    return category == HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK ||
           category == HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK ||
           category == HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK ||
           category == HB_UNICODE_GENERAL_CATEGORY_FORMAT;
}

hb_unicode_general_category_t categoryOf(char32_t codePoint) {
    return hb_unicode_general_category(hb_unicode_funcs_get_default(), codePoint);
}

hb_font_t* shaperOf(FontFace& face) {
    if (!face.shaper) {
        hb_font_t* font = hb_ft_font_create_referenced(static_cast<FT_Face>(face.face));
        // Advances as the glyphs are rasterised (light hinting keeps them linear).
        hb_ft_font_set_load_flags(font, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT);
        face.shaper = font;
    }
    return static_cast<hb_font_t*>(face.shaper);
}

hb_language_t buildLanguage() {
    static const hb_language_t language = hb_language_from_string(languageCode().c_str(), -1);
    return language;
}

// Scripts that GDI draws letter by letter: no kerning, no ligatures.
bool drawnLetterByLetter(hb_script_t script) {
    return script == HB_SCRIPT_LATIN || script == HB_SCRIPT_CYRILLIC || script == HB_SCRIPT_GREEK ||
           script == HB_SCRIPT_COMMON;
}

struct Run {
    size_t start = 0;
    size_t length = 0;
    FontFace* face = nullptr;
    hb_script_t script = HB_SCRIPT_COMMON;
    bool rightToLeft = false;
};

// The face of each character: the one glyphOf draws it with; a mark stays in
// its base's face when that face has it, so that they are shaped together.
std::vector<FontFace*> facesOf(FontFace& primary, const std::vector<FriBidiChar>& characters) {
    std::vector<FontFace*> faces(characters.size());
    for (size_t i = 0; i < characters.size(); ++i) {
        faces[i] = glyphOf(primary, characters[i]).face;
        if (i > 0 && faces[i] != faces[i - 1] && isMark(categoryOf(characters[i])) &&
            faceHas(*faces[i - 1], characters[i])) {
            faces[i] = faces[i - 1];
        }
    }
    return faces;
}

bool hasOwnScript(hb_script_t script) {
    return script != HB_SCRIPT_COMMON && script != HB_SCRIPT_INHERITED && script != HB_SCRIPT_UNKNOWN;
}

// The script of each character. Characters of no script of their own
// (spaces, digits, marks) belong to the script before them, or to the first
// one after them at the start.
std::vector<hb_script_t> scriptsOf(const std::vector<FriBidiChar>& characters) {
    std::vector<hb_script_t> scripts(characters.size());
    hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
    for (size_t i = 0; i < characters.size(); ++i) scripts[i] = hb_unicode_script(unicode, characters[i]);
    const auto first = std::find_if(scripts.begin(), scripts.end(), hasOwnScript);
    hb_script_t current = first == scripts.end() ? HB_SCRIPT_COMMON : *first;
    for (hb_script_t& script : scripts) {
        if (hasOwnScript(script)) {
            current = script;
        } else {
            script = current;
        }
    }
    return scripts;
}

// Embedding levels of a left-to-right paragraph and the visual order; with
// `ordered` false (FriBidi failed) every level is 0 and the order is logical.
struct BidiOrder {
    std::vector<FriBidiLevel> levels;
    std::vector<FriBidiStrIndex> visualToLogical;
    bool ordered = false;
};

BidiOrder bidiOrderOf(const std::vector<FriBidiChar>& characters) {
    const auto count = static_cast<FriBidiStrIndex>(characters.size());
    BidiOrder order;
    std::vector<FriBidiCharType> types(characters.size());
    std::vector<FriBidiBracketType> brackets(characters.size());
    order.levels.resize(characters.size());
    order.visualToLogical.resize(characters.size());
    fribidi_get_bidi_types(characters.data(), count, types.data());
    fribidi_get_bracket_types(characters.data(), count, types.data(), brackets.data());
    FriBidiParType direction = FRIBIDI_PAR_LTR;
    order.ordered = fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), count, &direction,
                                                        order.levels.data()) != 0;
    for (FriBidiStrIndex i = 0; i < count; ++i) order.visualToLogical[static_cast<size_t>(i)] = i;
    order.ordered = order.ordered &&
                    fribidi_reorder_line(FRIBIDI_FLAGS_DEFAULT & ~FRIBIDI_FLAG_REORDER_NSM, types.data(), count, 0,
                                         direction, order.levels.data(), nullptr,
                                         order.visualToLogical.data()) != 0;
    if (!order.ordered) std::fill(order.levels.begin(), order.levels.end(), FriBidiLevel{0});
    return order;
}

// Runs of one level, face and script, in visual order: a run's characters
// stay together when reordered.
std::vector<Run> visualRuns(const BidiOrder& order, const std::vector<FontFace*>& faces,
                            const std::vector<hb_script_t>& scripts) {
    std::vector<Run> runs;
    std::vector<size_t> runOf(faces.size());
    for (size_t i = 0; i < faces.size(); ++i) {
        if (runs.empty() || order.levels[i] != order.levels[i - 1] || faces[i] != faces[i - 1] ||
            scripts[i] != scripts[i - 1]) {
            runs.push_back(Run{i, 0, faces[i], scripts[i], (order.levels[i] & 1) != 0});
        }
        ++runs.back().length;
        runOf[i] = runs.size() - 1;
    }
    std::vector<Run> visual;
    size_t last = runs.size();
    for (size_t v = 0; v < faces.size(); ++v) {
        const size_t run = order.ordered ? runOf[static_cast<size_t>(order.visualToLogical[v])] : runOf[v];
        if (run != last) visual.push_back(runs[run]);
        last = run;
    }
    return visual;
}

struct BufferRelease {
    void operator()(hb_buffer_t* buffer) const { hb_buffer_destroy(buffer); }
};

// Shapes the runs one after another from pen position 0, appending their
// glyphs to `placed`; the pen position after the last.
int64_t shapeRuns(const std::vector<FriBidiChar>& characters, const std::vector<Run>& runs,
                  std::vector<PlacedGlyph>& placed) {
    static const hb_feature_t letterByLetter[] = {
        {HB_TAG('k', 'e', 'r', 'n'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
        {HB_TAG('l', 'i', 'g', 'a'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
        {HB_TAG('c', 'l', 'i', 'g'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
    };
    const std::unique_ptr<hb_buffer_t, BufferRelease> owned(hb_buffer_create());
    hb_buffer_t* buffer = owned.get();
    int64_t pen = 0;
    for (const Run& run : runs) {
        hb_buffer_clear_contents(buffer);
        // The whole text as context, so that letters join across run edges.
        hb_buffer_add_utf32(buffer, characters.data(), static_cast<int>(characters.size()),
                            static_cast<unsigned>(run.start), static_cast<int>(run.length));
        hb_buffer_set_direction(buffer, run.rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
        hb_buffer_set_script(buffer, run.script);
        hb_buffer_set_language(buffer, buildLanguage());
        const bool plain = drawnLetterByLetter(run.script);
        hb_shape(shaperOf(*run.face), buffer, plain ? letterByLetter : nullptr, plain ? 3 : 0);
        unsigned int glyphCount = 0;
        const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &glyphCount);
        const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &glyphCount);
        for (unsigned int g = 0; g < glyphCount; ++g) {
            const Glyph& glyph = glyphByIndex(*run.face, infos[g].codepoint);
            // Whole pixels, as GDI places glyphs.
            placed.push_back(PlacedGlyph{&glyph, pen + std::lround(positions[g].x_offset / 64.0),
                                         -std::lround(positions[g].y_offset / 64.0), infos[g].cluster});
            pen += std::lround(positions[g].x_advance / 64.0);
        }
    }
    return pen;
}

}  // namespace

bool needsShaping(char32_t codePoint) {
    const FriBidiCharType type = fribidi_get_bidi_type(codePoint);
    if (FRIBIDI_IS_RTL(type) || FRIBIDI_IS_EXPLICIT(type) || FRIBIDI_IS_ISOLATE(type) || type == FRIBIDI_TYPE_AN) {
        return true;
    }
    if (isMark(categoryOf(codePoint))) return true;
    if (codePoint >= 0x1F1E6 && codePoint <= 0x1F1FF) return true;  // regional indicators pair into flags
    return std::any_of(std::begin(combiningScripts), std::end(combiningScripts),
                       [&](const auto& range) { return codePoint >= range.first && codePoint <= range.last; });
}

int64_t shapeText(FontFace& primary, std::u16string_view text, std::vector<PlacedGlyph>& placed) {
    placed.clear();
    std::vector<FriBidiChar> characters;
    forEachCharacter(text, [&](char32_t cp) { characters.push_back(cp); });
    if (characters.empty()) return 0;
    const std::vector<Run> runs = visualRuns(bidiOrderOf(characters), facesOf(primary, characters),
                                             scriptsOf(characters));
    return shapeRuns(characters, runs, placed);
}

}  // namespace orvane::sdl
