// TextOutW with per-character fallback faces (see glyph_fallback.h): what is
// known of each font's glyphs, the fallback faces, and the drawing in pieces.
#include "platform/win32/glyph_fallback.h"

#include <cstring>
#include <cwchar>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/win32/handles.h"

namespace orvane::platform::win32 {

namespace {

// Faces tried, in order, for a character the selected font lacks: the UI and
// symbol faces that ship with Windows 10 and 11 (Nirmala UI for the Indic
// scripts, YaHei and Yu Gothic for Chinese and Japanese), then the faces a
// Wine prefix sees on a Linux host through fontconfig.
constexpr const wchar_t* fallbackFaces[] = {
    L"Segoe UI",    L"Segoe UI Symbol",     L"Lucida Sans Unicode", L"Arial Unicode MS",
    L"Nirmala UI",  L"Microsoft YaHei",     L"Yu Gothic",           L"DejaVu Sans",
    L"Symbola",     L"Droid Sans Fallback", L"Lohit Devanagari",
};
constexpr int fallbackCount = static_cast<int>(std::size(fallbackFaces));

// What a font says about one UTF-16 unit: not asked yet, has a glyph, lacks it.
enum Coverage : uint8_t { unknown = 0, covered = 1, missing = 2 };

struct FallbackFace {
    bool tried = false;
    HFONT font = nullptr;  // null: the face is not installed (the mapper chose another)
    int ascent = 0;
    std::vector<uint8_t> coverage;  // per UTF-16 unit
};

// One LOGFONT the frame draws with, and what is known about it.
struct FontRecord {
    LOGFONTW logfont{};
    std::vector<uint8_t> coverage = std::vector<uint8_t>(0x10000, unknown);
    // Per unit: 0 not chosen yet, 1 + index of the fallback face that draws
    // it, or -1 when no face of the list has it.
    std::vector<int8_t> choice = std::vector<int8_t>(0x10000, 0);
    FallbackFace fallbacks[fallbackCount];
};

std::vector<std::unique_ptr<FontRecord>> records;
size_t lastRecord = 0;
HDC probeContext = nullptr;  // a memory context of the backend's own, for asking about fallback faces

bool isSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

FontRecord* recordOf(HDC dc) {
    LOGFONTW logfont{};
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    if (!font || GetObjectW(font, sizeof(logfont), &logfont) != sizeof(logfont)) return nullptr;
    if (lastRecord < records.size() && std::memcmp(&records[lastRecord]->logfont, &logfont, sizeof(logfont)) == 0) {
        return records[lastRecord].get();
    }
    for (size_t i = 0; i < records.size(); ++i) {
        if (std::memcmp(&records[i]->logfont, &logfont, sizeof(logfont)) == 0) {
            lastRecord = i;
            return records[i].get();
        }
    }
    auto record = std::make_unique<FontRecord>();
    record->logfont = logfont;
    records.push_back(std::move(record));
    lastRecord = records.size() - 1;
    return records.back().get();
}

// Asks the font selected in `dc` about the units of `text` not yet known.
// Surrogates count as covered: GetGlyphIndicesW cannot judge a pair, and
// TextOutW handles pairs itself.
bool learnCoverage(HDC dc, std::u16string_view text, std::vector<uint8_t>& coverage) {
    std::u16string unknownUnits;
    for (char16_t unit : text) {
        if (isSurrogate(unit)) {
            coverage[unit] = covered;
        } else if (coverage[unit] == unknown) {
            unknownUnits.push_back(unit);
        }
    }
    if (unknownUnits.empty()) return true;
    std::vector<WORD> indices(unknownUnits.size());
    if (GetGlyphIndicesW(dc, wide(unknownUnits), static_cast<int>(unknownUnits.size()), indices.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
        return false;
    }
    for (size_t i = 0; i < unknownUnits.size(); ++i) {
        coverage[unknownUnits[i]] = indices[i] == 0xFFFF ? missing : covered;
    }
    return true;
}

// Makes fallback face `index` of a record, once: the record's LOGFONT with the
// face's name. A face the system does not have is left out: the font mapper
// would hand back another face for it.
FallbackFace& fallbackFace(FontRecord& record, int index) {
    FallbackFace& face = record.fallbacks[index];
    if (face.tried) return face;
    face.tried = true;
    if (!probeContext) probeContext = CreateCompatibleDC(nullptr);
    if (!probeContext) return face;
    LOGFONTW logfont = record.logfont;
    wcsncpy(logfont.lfFaceName, fallbackFaces[index], LF_FACESIZE - 1);
    logfont.lfFaceName[LF_FACESIZE - 1] = L'\0';
    HFONT font = CreateFontIndirectW(&logfont);
    if (!font) return face;
    HGDIOBJ previous = SelectObject(probeContext, font);
    wchar_t chosen[LF_FACESIZE] = {};
    TEXTMETRICW metrics{};
    const bool ours = GetTextFaceW(probeContext, LF_FACESIZE, chosen) > 0 &&
                      lstrcmpiW(chosen, fallbackFaces[index]) == 0 && GetTextMetricsW(probeContext, &metrics);
    SelectObject(probeContext, previous);
    if (!ours) {
        DeleteObject(font);
        return face;
    }
    face.font = font;
    face.ascent = metrics.tmAscent;
    face.coverage.assign(0x10000, unknown);
    return face;
}

// The fallback face (1 + index) for a unit the selected font lacks, or -1.
int8_t choose(FontRecord& record, char16_t unit) {
    int8_t& choice = record.choice[unit];
    if (choice != 0) return choice;
    choice = -1;
    const std::u16string_view one(&unit, 1);
    for (int i = 0; i < fallbackCount; ++i) {
        FallbackFace& face = fallbackFace(record, i);
        if (!face.font) continue;
        HGDIOBJ previous = SelectObject(probeContext, face.font);
        const bool known = learnCoverage(probeContext, one, face.coverage);
        SelectObject(probeContext, previous);
        if (known && face.coverage[unit] == covered) {
            choice = static_cast<int8_t>(i + 1);
            break;
        }
    }
    return choice;
}

}  // namespace

int textOutWithFallback(HDC dc, int x, int y, std::u16string_view text) {
    const int length = static_cast<int>(text.size());
    // Pieces are placed left to right from the top-left corner: with any other
    // alignment the text goes to TextOutW whole.
    const UINT alignment = GetTextAlign(dc);
    FontRecord* record = text.empty() || alignment == GDI_ERROR || alignment != (TA_LEFT | TA_TOP | TA_NOUPDATECP)
                             ? nullptr
                             : recordOf(dc);
    bool whole = true;
    if (record) {
        // When the font cannot be asked (GetGlyphIndicesW fails, as it may for
        // a bitmap face the font mapper chose), the units it could not judge stay unknown and are
        // taken for missing: each goes to a fallback face that has it, or
        // stays with the selected font when none has.
        learnCoverage(dc, text, record->coverage);
        for (char16_t unit : text) whole = whole && record->coverage[unit] == covered;
    }
    if (whole) return TextOutW(dc, x, y, wide(text), length);

    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(dc, &metrics)) return TextOutW(dc, x, y, wide(text), length);
    // The face each unit is drawn with: 0 the selected font, else 1 + fallback index.
    auto faceOf = [&](char16_t unit) -> int {
        if (record->coverage[unit] == covered) return 0;
        const int8_t choice = choose(*record, unit);
        return choice > 0 ? choice : 0;
    };
    bool drawn = true;
    int pen = x;
    for (size_t start = 0; start < text.size();) {
        const int face = faceOf(text[start]);
        size_t end = start + 1;
        while (end < text.size() && faceOf(text[end]) == face) ++end;
        const auto* piece = wide(text.substr(start, end - start));
        const int count = static_cast<int>(end - start);
        HGDIOBJ previous = nullptr;
        int top = y;
        if (face > 0) {
            const FallbackFace& fallback = record->fallbacks[face - 1];
            previous = SelectObject(dc, fallback.font);
            top = y + static_cast<int>(metrics.tmAscent) - fallback.ascent;  // the same baseline
        }
        SIZE size{};
        drawn = TextOutW(dc, pen, top, piece, count) && drawn;
        drawn = GetTextExtentPoint32W(dc, piece, count, &size) && drawn;
        if (previous) SelectObject(dc, previous);
        pen += size.cx;
        start = end;
    }
    return drawn ? 1 : 0;
}

}  // namespace orvane::platform::win32
