// Names on the POSIX side: UTF-16 <-> bytes that round-trip every byte
// sequence, Windows-style separators, and the NTFS order of entry names.
#include <cstdint>

#include "platform/posix/posix_files.h"
#include "platform/posix/upcase_table.h"

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

std::u16string nameFromBytes(const std::string& bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            // A backslash is a character of the name, never a separator.
            text.push_back(lead == '\\' ? nameBackslash : static_cast<char16_t>(lead));
            ++at;
            continue;
        }
        uint32_t codePoint = 0;
        const int length = decodeSequence(bytes, at, codePoint);
        // U+F05C itself, spelt out on disk, would come back as a backslash;
        // its three bytes are kept apart like any undecodable ones instead.
        if (length == 0 || codePoint == nameBackslash) {
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
        } else if (unit == nameBackslash) {
            bytes.push_back('\\');
        } else {
            // Any other unit, a stray surrogate included, as its three-byte form.
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

std::string systemPath(const std::u16string& path) {
    std::string result;
    result.reserve(path.size());
    size_t at = 0;
    while (at < path.size()) {
        if (path[at] == u'\\' || path[at] == u'/') {
            if (result.empty() || result.back() != '/') result.push_back('/');
            ++at;
            continue;
        }
        size_t end = at;
        while (end < path.size() && path[end] != u'\\' && path[end] != u'/') ++end;
        result += bytesFromName(path.substr(at, end - at));
        at = end;
    }
    return result;
}

char16_t upcaseUnit(char16_t unit) {
    const auto value = static_cast<uint16_t>(unit);
    return static_cast<char16_t>(
        static_cast<uint16_t>(value + upcase::additions[upcase::blockOf[value >> 8]][value & 0xFFu]));
}

}  // namespace orvane::posix
