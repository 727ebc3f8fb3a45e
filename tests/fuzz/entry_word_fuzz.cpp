// The word an entry name gives, against the rule written out step by step:
// drop the final character, keep dropping until the last one left is a full
// stop, and drop that; a name with no full stop before its final character
// gives itself, less a final full stop.

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "standards/standard_words.h"

namespace {

std::u16string wordByTheSteps(const std::u16string& name) {
    if (name.empty()) return name;
    std::u16string rest = name;
    rest.pop_back();
    while (!rest.empty() && rest.back() != u'.') rest.pop_back();
    if (!rest.empty()) {
        rest.pop_back();
        return rest;
    }
    std::u16string whole = name;
    if (whole.back() == u'.') whole.pop_back();
    return whole;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Units drawn mostly from a few letters and the full stop, so that names
    // with several dots in any places are common.
    orvane::fuzz::Input input(data, size);
    std::u16string name;
    while (!input.empty() && name.size() < 64) {
        const uint8_t byte = input.take<uint8_t>();
        name.push_back(byte < 0x80 ? u".ab"[byte % 3] : static_cast<char16_t>(byte << 8 | byte));
    }
    const std::u16string word = orvane::wordOfEntryName(name);
    FUZZ_CHECK(word == wordByTheSteps(name));
    FUZZ_CHECK(name.compare(0, word.size(), word) == 0);  // always a beginning of the name
    return 0;
}
