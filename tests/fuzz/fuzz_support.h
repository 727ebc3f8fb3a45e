#pragma once
// What the fuzz targets share: values read one after another from the
// fuzzer's bytes (zeros once they run out), and a property check that stops
// the run, so that libFuzzer keeps the input that broke it.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "locale/string_table.h"
#include "platform/fake/fake_platform.h"
#include "platform/posix/posix_files.h"
#include "scratch_folder.h"
#include "state/app_state.h"

namespace orvane::fuzz {

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }

    template <typename T>
    T take() {
        T value{};
        const size_t count = std::min(sizeof(T), size_ - at_);
        std::memcpy(&value, data_ + at_, count);
        at_ += count;
        return value;
    }

    // A number from 0 to count - 1.
    size_t pick(size_t count) { return count == 0 ? 0 : take<uint8_t>() % count; }

    // Up to `limit` UTF-16 units, any values, the length first.
    std::u16string units(size_t limit) {
        std::u16string text(pick(limit + 1), u'\0');
        for (char16_t& unit : text) unit = take<char16_t>();
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// An empty program folder kept for the whole run, as the program holds its
// folder: no catalog to list, no file to find.
inline const std::u16string& emptyProgramFolder() {
    static const support::ScratchFolder scratch;
    static const std::u16string folder = scratch.text();
    return folder;
}

// The program as it starts, over the fake backend with drawing unrecorded,
// its folder an empty one: the state each input of a target begins from.
inline void startFreshProgram() {
    fake::reset();
    fake::fakePlatform().recordDrawing = false;
    appState = AppState(stringTable());
    appState.programFolder = emptyProgramFolder();
}

[[noreturn]] inline void propertyFailed(const char* property, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, property);
    std::abort();
}

}  // namespace orvane::fuzz

#define FUZZ_CHECK(property) \
    ((property) ? static_cast<void>(0) : ::orvane::fuzz::propertyFailed(#property, __FILE__, __LINE__))
