// Texts on the Linux backend: the face has Arial's metrics, file names in
// many scripts draw no missing-glyph box where an installed face has the
// character, right-to-left names stand in visual order, letters join and
// marks sit on their bases, and plain texts stay on the fast path.

#include <gtest/gtest.h>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <string>
#include <vector>

#include "fresh_backend.h"
#include "platform/sdl/fonts.h"
#include "platform/sdl/text.h"

namespace orvane {
namespace {

using namespace orvane::sdl;

// The glyphs a text is drawn with, left to right, as drawText draws them.
std::vector<PlacedGlyph> layOut(FontFace& face, std::u16string_view text) {
    std::vector<PlacedGlyph> placed;
    if (plainTextWidth(face, text) < 0) {
        shapeText(face, text, placed);
        return placed;
    }
    size_t character = 0;
    drawPlainText(face, text, [&](const Glyph& glyph, int64_t pen) {
        placed.push_back(PlacedGlyph{&glyph, pen, 0, character++});
    });
    return placed;
}

std::u32string charactersOf(std::u16string_view text) {
    std::u32string characters;
    forEachCharacter(text, [&](char32_t cp) { characters.push_back(cp); });
    return characters;
}

// The plain reference: whether fontconfig lists any installed font with the
// character.
bool someFontHas(char32_t cp) {
    FcCharSet* charset = FcCharSetCreate();
    FcCharSetAddChar(charset, cp);
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddCharSet(pattern, FC_CHARSET, charset);
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    const bool has = fonts && fonts->nfont > 0;
    if (fonts) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    FcCharSetDestroy(charset);
    return has;
}

// The first glyph drawn for a character (a failure when there is none).
// The family name of a face's font.
std::string familyOf(const FontFace& face) {
    const char* family = static_cast<FT_Face>(face.face)->family_name;
    return family ? family : "";
}

PlacedGlyph glyphOfCharacter(const std::vector<PlacedGlyph>& glyphs, size_t character) {
    const auto found =
        std::find_if(glyphs.begin(), glyphs.end(), [&](const PlacedGlyph& g) { return g.character == character; });
    if (found != glyphs.end()) return *found;
    ADD_FAILURE() << "no glyph for character " << character;
    static const Glyph none;
    return PlacedGlyph{&none, -1000, 0, character};
}

class SdlText : public FreshBackend {};

TEST_F(SdlText, TheFaceHasArialsMetricsAndGdisCell) {
    for (int32_t height : {16, 64}) {
        FontFace* face = fontFace(height);
        ASSERT_NE(face, nullptr);
        const std::string family = familyOf(*face);
        EXPECT_TRUE(family == "Liberation Sans" || family == "Arimo" || family == "Arial") << family;
        EXPECT_EQ(face->ascent + face->descent, height);
    }
    // Arial's advance widths at GDI's whole pixels per em (57 and 14 for
    // these cells), each rounded: the widths Windows gives these texts.
    EXPECT_EQ(plainTextWidth(*fontFace(64), u"September"), 38 + 32 + 32 + 16 + 32 + 47 + 32 + 32 + 19);
    EXPECT_EQ(plainTextWidth(*fontFace(16), u"+1000"), 8 + 4 * 8);
}

TEST_F(SdlText, NamesInManyScriptsDrawNoMissingGlyphWhereAFaceHasTheCharacter) {
    FontFace& face = *fontFace(16);
    const std::u16string names[] = {
        u"Cafe\u0301 Zoe\u0308.txt",       // Latin with combining marks
        u"Привет, мир.txt",                // Cyrillic
        u"Καλημέρα.txt",                   // Greek
        u"مرحبا بالعالم.txt",              // Arabic
        u"שלום עולם.txt",                  // Hebrew
        u"नमस्ते दुनिया.txt",                 // Devanagari
        u"你好世界.txt",                   // Chinese
        u"こんにちは世界.txt",             // Japanese
        u"\U0001F600 smile.txt",           // an emoji
        u"bad\xDCFF name.txt",             // an undecodable byte of a Linux name
        u"\u02C2 \u02C3 \u02C4 \u02C5",    // the frame's arrows
    };
    for (const std::u16string& name : names) {
        const std::u32string characters = charactersOf(name);
        for (char32_t cp : characters) {
            // Else the check below would pass for want of a face.
            EXPECT_TRUE(someFontHas(cp)) << "no installed face has U+" << std::hex << static_cast<uint32_t>(cp)
                                         << ": scripts/install-deps installs the test fonts";
        }
        const std::vector<PlacedGlyph> glyphs = layOut(face, name);
        ASSERT_FALSE(glyphs.empty());
        for (const PlacedGlyph& glyph : glyphs) {
            const char32_t cp = characters[glyph.character];
            if (glyph.glyph->index == 0) {
                EXPECT_FALSE(someFontHas(cp)) << "U+" << std::hex << static_cast<uint32_t>(cp)
                                              << " drawn as a missing glyph in name " << &name - names;
            }
        }
    }
}

TEST_F(SdlText, RightToLeftNamesStandInVisualOrderWithTheirLettersJoined) {
    FontFace& face = *fontFace(16);
    // Hebrew in a left-to-right line: the word reads from the right, the
    // extension stays to its right.
    const std::u16string hebrew = u"שלום.txt";
    const std::vector<PlacedGlyph> glyphs = layOut(face, hebrew);
    for (size_t i = 0; i + 1 < 4; ++i) {
        EXPECT_GT(glyphOfCharacter(glyphs, i).x, glyphOfCharacter(glyphs, i + 1).x) << i;
    }
    EXPECT_LT(glyphOfCharacter(glyphs, 0).x, glyphOfCharacter(glyphs, 4).x);
    EXPECT_LT(glyphOfCharacter(glyphs, 4).x, glyphOfCharacter(glyphs, 5).x);

    // Arabic: the letters of a word take their joined forms (initial,
    // medial, final), not those they have alone, and read from the right.
    const std::u16string arabic = u"بيت";
    const std::vector<PlacedGlyph> joined = layOut(face, arabic);
    int changed = 0;
    for (size_t i = 0; i < arabic.size(); ++i) {
        const std::vector<PlacedGlyph> alone = layOut(face, arabic.substr(i, 1));
        changed += alone.front().glyph->index != glyphOfCharacter(joined, i).glyph->index;
        EXPECT_GT(glyphOfCharacter(joined, i).x, i + 1 < arabic.size() ? glyphOfCharacter(joined, i + 1).x : -1);
    }
    EXPECT_GE(changed, 3);

    // Mixed: "abc" then the Hebrew word read from the right, then ".txt".
    const std::vector<PlacedGlyph> mixed = layOut(face, u"abc שלום.txt");
    EXPECT_LT(glyphOfCharacter(mixed, 2).x, glyphOfCharacter(mixed, 7).x);
    EXPECT_GT(glyphOfCharacter(mixed, 4).x, glyphOfCharacter(mixed, 7).x);
    EXPECT_LT(glyphOfCharacter(mixed, 4).x, glyphOfCharacter(mixed, 8).x);
}

TEST_F(SdlText, MarksSitOnTheirBasesAndSpecialUnitsDrawAsTheirCharacters) {
    FontFace& face = *fontFace(16);
    // e + combining acute: the accent is placed over the e, not after it.
    const std::vector<PlacedGlyph> accented = layOut(face, u"e\u0301x");
    const PlacedGlyph& e = glyphOfCharacter(accented, 0);
    const PlacedGlyph& acute = glyphOfCharacter(accented, 1);
    EXPECT_LT(acute.x + acute.glyph->left, e.x + e.glyph->advance);
    EXPECT_EQ(glyphOfCharacter(accented, 2).x, e.x + e.glyph->advance);
    // Devanagari: the virama joins consonants, so the word has fewer glyphs
    // than characters.
    EXPECT_LT(layOut(face, u"नमस्ते").size(), charactersOf(u"नमस्ते").size());

    // A backslash byte of a Linux name (U+F05C) is drawn as "\", a lone
    // surrogate as U+FFFD.
    EXPECT_EQ(layOut(face, u"\uF05C").front().glyph, layOut(face, u"\\").front().glyph);
    EXPECT_EQ(layOut(face, u"\xDC80").front().glyph, layOut(face, u"\uFFFD").front().glyph);
    EXPECT_NE(layOut(face, u"\xDC80").front().glyph->index, 0u);
}

TEST_F(SdlText, PlainTextsStayOnTheFastPathAndOthersAreShaped) {
    FontFace& face = *fontFace(16);
    for (const char16_t* plain : {u"London time:", u"Лондонское время:", u"\u02C2", u"你好", u"+1000", u"a\uF05Cb"}) {
        EXPECT_GE(plainTextWidth(face, plain), 0) << "plain";
    }
    for (const char16_t* shaped : {u"שלום", u"سلام", u"e\u0301", u"नमस्ते"}) {
        EXPECT_EQ(plainTextWidth(face, shaped), -1);
    }
}

}  // namespace
}  // namespace orvane
