// Names between Linux bytes and the program's UTF-16, both ways, and paths
// joined from them:
//   - every byte string comes back as itself, and its name holds a "/" only
//     where the bytes did and never a U+005C backslash, so a listed name can
//     address nothing but itself, also when joined to the browsed folder;
//   - well-formed UTF-16 without U+005C comes back as itself;
//   - a path for the system has the components of the program's path, each
//     converted alone, with runs of separators read as one.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/posix/posix_files.h"

namespace {

using namespace orvane;

bool isSeparator(char16_t unit) { return unit == u'\\' || unit == u'/'; }

bool wellFormed(const std::u16string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
            ++i;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

std::vector<std::u16string> componentsOf(const std::u16string& path) {
    std::vector<std::u16string> components(1);
    for (char16_t unit : path) {
        if (!isSeparator(unit)) components.back().push_back(unit);
        else if (!components.back().empty()) components.emplace_back();
    }
    if (components.back().empty()) components.pop_back();
    return components;
}

std::vector<std::string> componentsOf(const std::string& path) {
    std::vector<std::string> components(1);
    for (char byte : path) {
        if (byte != '/') components.back().push_back(byte);
        else components.emplace_back();
    }
    if (components.back().empty()) components.pop_back();
    if (!components.empty() && components.front().empty()) components.erase(components.begin());
    return components;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string name = posix::nameFromBytes(bytes);
    FUZZ_CHECK(posix::bytesFromName(name) == bytes);
    FUZZ_CHECK(name.find(u'\\') == std::u16string::npos);
    FUZZ_CHECK(std::count(name.begin(), name.end(), u'/') == std::count(bytes.begin(), bytes.end(), '/'));
    if (bytes.find('/') == std::string::npos && bytes.find('\0') == std::string::npos) {
        FUZZ_CHECK(posix::systemPath(u"Catalog\\\\Folder\\" + name) == "Catalog/Folder/" + bytes);
    }

    // The same bytes read as UTF-16 units.
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    if (wellFormed(units) && units.find(u'\\') == std::u16string::npos) {
        FUZZ_CHECK(posix::nameFromBytes(posix::bytesFromName(units)) == units);
    }
    const std::string path = posix::systemPath(units);
    FUZZ_CHECK(path.find("//") == std::string::npos);
    FUZZ_CHECK((!units.empty() && isSeparator(units.front())) == (!path.empty() && path.front() == '/'));
    const std::vector<std::u16string> programComponents = componentsOf(units);
    const std::vector<std::string> systemComponents = componentsOf(path);
    FUZZ_CHECK(programComponents.size() == systemComponents.size());
    for (size_t i = 0; i < programComponents.size() && i < systemComponents.size(); ++i) {
        FUZZ_CHECK(posix::bytesFromName(programComponents[i]) == systemComponents[i]);
    }
    return 0;
}
