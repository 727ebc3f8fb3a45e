#pragma once
// Pixel positions worked out in 64 bits and handed to drawing as 32-bit
// values. The scroll offset has no bounds, so positions derived from it can
// lie far outside the 32-bit range; they are saturated, never wrapped.

#include <cstdint>
#include <limits>

namespace orvane {

constexpr int32_t saturateToInt32(int64_t value) {
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

}  // namespace orvane
