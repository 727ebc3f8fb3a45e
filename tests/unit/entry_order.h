#pragma once
// The order of a folder's entries after "." and "..", as a plain comparison
// of two names: unit by unit after upper-casing, a shorter name first where
// one is the start of the other, ties by plain code-unit order. The listing
// sorts by packed keys; this is what they must agree with. Shared by the unit
// tests and the comparison with Windows' own order.

#include <string>

#include "platform/posix/posix_files.h"

namespace orvane::reference {

inline bool entryNameBefore(const std::u16string& left, const std::u16string& right) {
    const size_t common = left.size() < right.size() ? left.size() : right.size();
    for (size_t i = 0; i < common; ++i) {
        const char16_t a = posix::upcaseUnit(left[i]);
        const char16_t b = posix::upcaseUnit(right[i]);
        if (a != b) return a < b;
    }
    if (left.size() != right.size()) return left.size() < right.size();
    return left < right;
}

}  // namespace orvane::reference
