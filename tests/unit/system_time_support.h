#pragma once
// Broken-down times for calendar tests, written year first.
#include <cstdint>

#include "platform/types.h"

namespace orvane {

inline SYSTEMTIME timeOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                         int milliseconds = 0, int dayOfWeek = 0) {
    return SYSTEMTIME{static_cast<uint16_t>(year),   static_cast<uint16_t>(month),
                      static_cast<uint16_t>(dayOfWeek), static_cast<uint16_t>(day),
                      static_cast<uint16_t>(hour),   static_cast<uint16_t>(minute),
                      static_cast<uint16_t>(second), static_cast<uint16_t>(milliseconds)};
}

}  // namespace orvane
