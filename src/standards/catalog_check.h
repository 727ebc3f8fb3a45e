#pragma once
// At start-up: whether the catalog beside the program and its standards tree
// can be read.

#include <string>

namespace orvane {

// One line for the diagnostic channel naming the first folder that cannot be
// listed, the catalog first and then the standards folders of the build, by
// its full path below programFolder (which the caller has made current).
// Empty when every one of them can be read.
std::u16string unreadableCatalogLine();

}  // namespace orvane
