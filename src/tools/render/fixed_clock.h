#pragma once
// What the render tools' clocks give.

#include "platform/types.h"

namespace orvane::render {

extern SYSTEMTIME fixedSystemTime;  // London (UTC)
extern SYSTEMTIME fixedLocalTime;

}  // namespace orvane::render
