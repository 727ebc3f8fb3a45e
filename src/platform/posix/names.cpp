// Names on the POSIX side: UTF-16 <-> bytes that round-trip every byte
// sequence, Windows-style separators, and the NTFS order of entry names.
#include <cstdint>

#include "platform/posix/posix_files.h"

namespace orvane::posix {

namespace {

constexpr char16_t escapeBase = 0xDC00;  // byte b (0x80..0xFF) <-> U+DC00 + b

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool isEscapedByte(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }

// Length of the valid UTF-8 sequence at bytes[at] and its code point; 0 when
// the bytes there do not form one (overlong forms, encoded surrogates and
// values above U+10FFFF are not valid).
int decodeSequence(const std::string& bytes, size_t at, uint32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    int length = 0;
    uint32_t value = 0;
    uint32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07u, smallest = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - at < static_cast<size_t>(length)) return 0;
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if ((next & 0xC0u) != 0x80u) return 0;
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    codePoint = value;
    return length;
}

void appendUtf8(std::string& out, uint32_t codePoint) {
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

}  // namespace

std::u16string namesFromBytes(const std::string& bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            text.push_back(lead);
            ++at;
            continue;
        }
        uint32_t codePoint = 0;
        const int length = decodeSequence(bytes, at, codePoint);
        if (length == 0) {
            text.push_back(static_cast<char16_t>(escapeBase + lead));
            ++at;
        } else if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            text.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
            at += length;
        } else {
            text.push_back(static_cast<char16_t>(codePoint));
            at += length;
        }
    }
    return text;
}

std::string bytesFromName(const std::u16string& name) {
    std::string bytes;
    bytes.reserve(name.size() * 3);
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i];
        if (isHighSurrogate(unit) && i + 1 < name.size() && isLowSurrogate(name[i + 1])) {
            const uint32_t codePoint =
                0x10000 + ((static_cast<uint32_t>(unit) - 0xD800) << 10) + (name[i + 1] - 0xDC00u);
            appendUtf8(bytes, codePoint);
            ++i;
        } else if (isEscapedByte(unit)) {
            bytes.push_back(static_cast<char>(unit - escapeBase));
        } else {
            // Any other unit, a stray surrogate included, as its three-byte form.
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

std::string systemPath(const std::u16string& path) {
    const std::string bytes = bytesFromName(path);
    std::string result;
    result.reserve(bytes.size());
    for (char byte : bytes) {
        const bool separator = byte == '\\' || byte == '/';
        if (!separator) {
            result.push_back(byte);
        } else if (result.empty() || result.back() != '/') {
            result.push_back('/');
        }
    }
    return result;
}

char16_t upcaseUnit(char16_t unit) {
    const auto u = static_cast<uint32_t>(unit);
    // ASCII, Latin-1 (less the division sign), and the Latin-1 letters whose
    // capitals lie elsewhere.
    if (u >= 'a' && u <= 'z') return static_cast<char16_t>(u - 0x20);
    if (u < 0xB5) return unit;
    if (u == 0xB5) return u'\u039C';  // micro sign -> capital mu
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char16_t>(u - 0x20);
    if (u == 0xFF) return u'\u0178';
    // Latin Extended-A: capital and small letters in pairs. Dotless i and long
    // s keep their own form, as in the NTFS table.
    if ((u >= 0x0100 && u <= 0x012F) || (u >= 0x0132 && u <= 0x0137) ||
        (u >= 0x014A && u <= 0x0177)) {
        return static_cast<char16_t>(u & ~1u);
    }
    if ((u >= 0x0139 && u <= 0x0148) || (u >= 0x0179 && u <= 0x017E)) {
        return static_cast<char16_t>((u & 1u) ? u : u - 1);
    }
    // Greek.
    if (u >= 0x0370 && u <= 0x03FF) {
        if (u == 0x03AC) return u'\u0386';
        if (u >= 0x03AD && u <= 0x03AF) return static_cast<char16_t>(u - 0x25);
        if (u == 0x03C2) return u'\u03A3';  // final sigma
        if (u >= 0x03B1 && u <= 0x03CB) return static_cast<char16_t>(u - 0x20);
        if (u == 0x03CC) return u'\u038C';
        if (u == 0x03CD || u == 0x03CE) return static_cast<char16_t>(u - 0x3F);
        return unit;
    }
    // Cyrillic and Cyrillic Supplement.
    if (u >= 0x0430 && u <= 0x044F) return static_cast<char16_t>(u - 0x20);
    if (u >= 0x0450 && u <= 0x045F) return static_cast<char16_t>(u - 0x50);
    if ((u >= 0x0460 && u <= 0x0481) || (u >= 0x048A && u <= 0x04BF) ||
        (u >= 0x04D0 && u <= 0x052F)) {
        return static_cast<char16_t>(u & ~1u);
    }
    if (u >= 0x04C1 && u <= 0x04CE) return static_cast<char16_t>((u & 1u) ? u : u - 1);
    if (u == 0x04CF) return u'\u04C0';
    return unit;
}

bool entryNameBefore(const std::u16string& left, const std::u16string& right) {
    const size_t common = left.size() < right.size() ? left.size() : right.size();
    for (size_t i = 0; i < common; ++i) {
        const char16_t a = upcaseUnit(left[i]);
        const char16_t b = upcaseUnit(right[i]);
        if (a != b) return a < b;
    }
    if (left.size() != right.size()) return left.size() < right.size();
    return left < right;
}

}  // namespace orvane::posix
