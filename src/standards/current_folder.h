#pragma once
// Making a folder current without a change that changes nothing.

#include <string>

namespace orvane {

// Makes `folder` the process's current folder, unless the platform reports
// it current already. True when `folder` is current afterwards.
bool makeFolderCurrent(const std::u16string& folder);

}  // namespace orvane
