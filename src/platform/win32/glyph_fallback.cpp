// TextOutW with per-character fallback faces (see glyph_fallback.h): what is
// known of each font's glyphs, the fallback faces, and the drawing in pieces.
#include "platform/win32/glyph_fallback.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/win32/handles.h"

namespace orvane::platform::win32 {

namespace {

// Faces tried, in order, for a character the selected font lacks: the faces
// Windows 10 and 11 ship for the scripts their default face leaves out, then
// the faces a Wine prefix sees on a Linux host through fontconfig.
constexpr const wchar_t* shippedFaces[] = {
    L"Segoe UI",           L"Segoe UI Symbol",     L"Segoe UI Emoji",
    L"Segoe UI Historic",  // old scripts: runes, Gothic, Ogham, Old Italic, ...
    L"Nirmala UI",         // the scripts of India
    L"Microsoft YaHei",    // Han (simplified Chinese forms), kana
    L"Yu Gothic",          // Han (Japanese forms), kana
    L"Malgun Gothic",      // Hangul, Han (Korean forms)
    L"Microsoft JhengHei",  // Han (traditional Chinese forms)
    L"Leelawadee UI",      // Thai, Lao, Khmer, Buginese
    L"Ebrima",             // Ethiopic, N'Ko, Tifinagh, Vai, Osmanya
    L"Gadugi",             // Cherokee, Canadian syllabics
    L"Myanmar Text",       L"Mongolian Baiti",     L"Microsoft Himalaya",  // Tibetan
    L"Javanese Text",      L"Lucida Sans Unicode", L"Arial Unicode MS",
    L"DejaVu Sans",        L"Symbola",             L"Droid Sans Fallback", L"Lohit Devanagari",
};

// What a font says about one UTF-16 unit: not asked yet, has a glyph, lacks it.
enum Coverage : uint8_t { unknown = 0, covered = 1, missing = 2 };

// What a font knows of its glyphs. Asked of GetGlyphIndicesW unit by unit as
// texts need them; a font for which that call fails once is not asked again.
// The table (one entry per UTF-16 unit) is made when the font is first asked,
// so the many fallback faces never asked about cost nothing.
struct GlyphKnowledge {
    std::vector<uint8_t> coverage;  // empty until first asked, then per unit
    bool queryFails = false;
};

// One fallback face at the size and character set of one record.
struct FallbackFont {
    bool tried = false;
    OwnedFont font;  // empty: the face is not installed, or could not be made
    int ascent = 0;
    GlyphKnowledge glyphs;
};

// One LOGFONT the frame draws with, and what is known about it.
struct FontRecord {
    LOGFONTW logfont{};
    GlyphKnowledge glyphs;
    bool ascentKnown = false;
    int ascent = 0;
    // Per unit: 0 not chosen yet, 1 + index of the fallback face that draws
    // it, or -1 when no face of the list has it.
    std::vector<int8_t> choice = std::vector<int8_t>(0x10000, 0);
    std::vector<FallbackFont> fallbacks;  // one per face of GlyphState::faces
};

struct GlyphState {
    std::vector<const wchar_t*> faces;  // the fallback faces in the order they are tried
    std::vector<int8_t> installed;      // per face: 0 not asked yet, 1 installed, -1 not
    OwnedMemoryContext probeContext;    // the backend's own context, for asking about fallback faces
    std::vector<std::unique_ptr<FontRecord>> records;
    // The font handle last looked up and its record: a frame draws most texts
    // in one font, which need not be described again while it stays selected.
    HGDIOBJ lastFont = nullptr;
    size_t lastRecord = 0;
};

std::unique_ptr<GlyphState> glyphs;

bool isSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// The faces in the order the user's language wants for the Han characters
// that Chinese, Japanese and Korean write alike but draw differently.
std::vector<const wchar_t*> faceOrder() {
    std::vector<const wchar_t*> faces(std::begin(shippedFaces), std::end(shippedFaces));
    const auto moveBefore = [&](const wchar_t* face, const wchar_t* before) {
        const auto from = std::find_if(faces.begin(), faces.end(), [&](auto f) { return std::wcscmp(f, face) == 0; });
        faces.erase(from);
        faces.insert(std::find_if(faces.begin(), faces.end(), [&](auto f) { return std::wcscmp(f, before) == 0; }),
                     face);
    };
    const LANGID language = GetUserDefaultUILanguage();
    if (PRIMARYLANGID(language) == LANG_JAPANESE) moveBefore(L"Yu Gothic", L"Microsoft YaHei");
    if (PRIMARYLANGID(language) == LANG_KOREAN) moveBefore(L"Malgun Gothic", L"Microsoft YaHei");
    if (PRIMARYLANGID(language) == LANG_CHINESE && SUBLANGID(language) != SUBLANG_CHINESE_SIMPLIFIED &&
        SUBLANGID(language) != SUBLANG_CHINESE_SINGAPORE) {
        moveBefore(L"Microsoft JhengHei", L"Microsoft YaHei");
    }
    return faces;
}

// The record of the font selected in `dc`. A live handle names one font, and
// a deleted font is forgotten (forgetFont), so the handle last looked up
// stands for the same LOGFONT for as long as it is remembered.
FontRecord* recordOf(HDC dc) {
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    if (!font) return nullptr;
    auto& records = glyphs->records;
    if (font == glyphs->lastFont && glyphs->lastRecord < records.size()) return records[glyphs->lastRecord].get();
    LOGFONTW logfont{};
    if (GetObjectW(font, sizeof(logfont), &logfont) != sizeof(logfont)) return nullptr;
    glyphs->lastFont = font;
    for (size_t i = 0; i < records.size(); ++i) {
        if (std::memcmp(&records[i]->logfont, &logfont, sizeof(logfont)) == 0) {
            glyphs->lastRecord = i;
            return records[i].get();
        }
    }
    auto record = std::make_unique<FontRecord>();
    record->logfont = logfont;
    record->fallbacks.resize(glyphs->faces.size());
    records.push_back(std::move(record));
    glyphs->lastRecord = records.size() - 1;
    return records.back().get();
}

// Once GetGlyphIndicesW has failed for a font, its character set tells what
// it draws: every unit its code page maps a byte to (ASCII and the rest of
// code page 1252 for ANSI_CHARSET, Cyrillic for RUSSIAN_CHARSET). The others
// count as lacking.
void coverByCharacterSet(GlyphKnowledge& knowledge, BYTE charSet) {
    knowledge.queryFails = true;
    knowledge.coverage.assign(0x10000, missing);
    CHARSETINFO info{};
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<uintptr_t>(charSet)), &info, TCI_SRCCHARSET)) {
        return;
    }
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const char single = static_cast<char>(byte);
        wchar_t unit = 0;
        if (MultiByteToWideChar(info.ciACP, MB_ERR_INVALID_CHARS, &single, 1, &unit, 1) == 1) {
            knowledge.coverage[static_cast<char16_t>(unit)] = covered;
        }
    }
}

// Asks the font selected in `dc` about the units of `text` not yet known.
// Surrogates count as covered: GetGlyphIndicesW cannot judge a pair, and
// TextOutW handles pairs itself.
void learnCoverage(HDC dc, std::u16string_view text, GlyphKnowledge& knowledge, BYTE charSet) {
    if (knowledge.queryFails) return;
    if (knowledge.coverage.empty()) knowledge.coverage.assign(0x10000, unknown);
    std::u16string unknownUnits;
    for (char16_t unit : text) {
        if (isSurrogate(unit)) {
            knowledge.coverage[unit] = covered;
        } else if (knowledge.coverage[unit] == unknown) {
            unknownUnits.push_back(unit);
        }
    }
    if (unknownUnits.empty()) return;
    std::vector<WORD> indices(unknownUnits.size());
    if (GetGlyphIndicesW(dc, wide(unknownUnits), static_cast<int>(unknownUnits.size()), indices.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
        coverByCharacterSet(knowledge, charSet);
        return;
    }
    for (size_t i = 0; i < unknownUnits.size(); ++i) {
        knowledge.coverage[unknownUnits[i]] = indices[i] == 0xFFFF ? missing : covered;
    }
}

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

// Whether the system has a font family of this name, in whatever language
// it names its fonts (EnumFontFamiliesExW finds a family by any of its names).
bool isInstalled(size_t index) {
    int8_t& installed = glyphs->installed[index];
    if (installed == 0) {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        std::wcsncpy(wanted.lfFaceName, glyphs->faces[index], LF_FACESIZE - 1);
        bool found = false;
        EnumFontFamiliesExW(glyphs->probeContext.get(), &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
        installed = found ? 1 : -1;
    }
    return installed > 0;
}

// Makes fallback face `index` of a record, once: the record's LOGFONT with the
// face's name, when the system has that face.
FallbackFont& fallbackFont(FontRecord& record, size_t index) {
    FallbackFont& fallback = record.fallbacks[index];
    if (fallback.tried) return fallback;
    fallback.tried = true;
    if (!glyphs->probeContext || !isInstalled(index)) return fallback;
    LOGFONTW logfont = record.logfont;
    std::wcsncpy(logfont.lfFaceName, glyphs->faces[index], LF_FACESIZE - 1);
    logfont.lfFaceName[LF_FACESIZE - 1] = L'\0';
    OwnedFont font(CreateFontIndirectW(&logfont));
    if (!font) return fallback;
    HDC probe = glyphs->probeContext.get();
    HGDIOBJ previous = SelectObject(probe, font.get());
    TEXTMETRICW metrics{};
    const bool measured = GetTextMetricsW(probe, &metrics) != 0;
    SelectObject(probe, previous);
    if (!measured) return fallback;
    fallback.font = std::move(font);
    fallback.ascent = metrics.tmAscent;
    return fallback;
}

// The fallback face (1 + index) for a unit the selected font lacks, or -1.
int8_t choose(FontRecord& record, char16_t unit) {
    int8_t& choice = record.choice[unit];
    if (choice != 0) return choice;
    choice = -1;
    const std::u16string_view one(&unit, 1);
    HDC probe = glyphs->probeContext.get();
    for (size_t i = 0; i < record.fallbacks.size(); ++i) {
        FallbackFont& fallback = fallbackFont(record, i);
        if (!fallback.font) continue;
        HGDIOBJ previous = SelectObject(probe, fallback.font.get());
        learnCoverage(probe, one, fallback.glyphs, record.logfont.lfCharSet);
        SelectObject(probe, previous);
        if (fallback.glyphs.coverage[unit] == covered) {
            choice = static_cast<int8_t>(i + 1);
            break;
        }
    }
    return choice;
}

// The ascent of the font the record stands for, asked once.
bool ascentOf(HDC dc, FontRecord& record, int& ascent) {
    if (!record.ascentKnown) {
        TEXTMETRICW metrics{};
        if (!GetTextMetricsW(dc, &metrics)) return false;
        record.ascent = metrics.tmAscent;
        record.ascentKnown = true;
    }
    ascent = record.ascent;
    return true;
}

}  // namespace

void startGlyphFallback() {
    glyphs = std::make_unique<GlyphState>();
    glyphs->faces = faceOrder();
    glyphs->installed.assign(glyphs->faces.size(), 0);
    glyphs->probeContext.reset(CreateCompatibleDC(nullptr));
}

void endGlyphFallback() { glyphs.reset(); }

void forgetFont(HGDIOBJ object) {
    if (glyphs && object == glyphs->lastFont) glyphs->lastFont = nullptr;
}

int textOutWithFallback(HDC dc, int x, int y, std::u16string_view text) {
    const int length = static_cast<int>(text.size());
    // Pieces are placed left to right from the top-left corner: with any other
    // alignment (or before the backend started) the text goes to TextOutW whole.
    const UINT alignment = GetTextAlign(dc);
    FontRecord* record = !glyphs || text.empty() || alignment != (TA_LEFT | TA_TOP | TA_NOUPDATECP) ? nullptr
                                                                                                   : recordOf(dc);
    bool whole = true;
    if (record) {
        learnCoverage(dc, text, record->glyphs, record->logfont.lfCharSet);
        for (char16_t unit : text) whole = whole && record->glyphs.coverage[unit] == covered;
    }
    int ascent = 0;
    if (whole || !ascentOf(dc, *record, ascent)) return TextOutW(dc, x, y, wideUnits(text), length);

    // The face each unit is drawn with: 0 the selected font, else 1 + fallback
    // index. A unit no face has stays with the selected font.
    auto faceOf = [&](char16_t unit) -> int {
        if (record->glyphs.coverage[unit] == covered) return 0;
        const int8_t choice = choose(*record, unit);
        return choice > 0 ? choice : 0;
    };
    bool drawn = true;
    int pen = x;
    for (size_t start = 0; start < text.size();) {
        const int face = faceOf(text[start]);
        size_t end = start + 1;
        while (end < text.size() && faceOf(text[end]) == face) ++end;
        const wchar_t* piece = wideUnits(text.substr(start, end - start));
        const int count = static_cast<int>(end - start);
        HGDIOBJ previous = nullptr;
        int top = y;
        if (face > 0) {
            const FallbackFont& fallback = record->fallbacks[static_cast<size_t>(face - 1)];
            previous = SelectObject(dc, fallback.font.get());
            top = y + ascent - fallback.ascent;  // the same baseline
        }
        drawn = TextOutW(dc, pen, top, piece, count) && drawn;
        if (end < text.size()) {  // the next piece starts where this one ends
            SIZE size{};
            drawn = GetTextExtentPoint32W(dc, piece, count, &size) && drawn;
            pen += size.cx;
        }
        if (previous) SelectObject(dc, previous);
        start = end;
    }
    return drawn ? 1 : 0;
}

}  // namespace orvane::platform::win32
