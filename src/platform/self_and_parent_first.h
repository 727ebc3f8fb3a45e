#pragma once
// The place of "." and ".." in a folder's listing, shared by the backends
// that read a whole enumeration before handing it out.
//
// The program reads a word as the third entry of its folder, so "." and ".."
// must come first. NTFS delivers them first, but other file systems (cloud
// drives, shared folders of virtual machines, third-party drivers) may deliver
// them later or not at all.

#include <algorithm>
#include <string>
#include <vector>

namespace orvane::platform {

// Puts "." and then ".." at the front of `names` (the entries in the order the
// file system delivered them), where they were found or, for a folder that is
// not a volume's root, where they were missing. A volume's root keeps what it
// has: it has no parent, and Windows lists no "." or ".." there. The other
// entries keep their order.
inline void putSelfAndParentFirst(std::vector<std::u16string>& names, bool volumeRoot) {
    const auto isDot = [](const std::u16string& name) { return name == u"." || name == u".."; };
    const bool hasSelf = std::find(names.begin(), names.end(), u".") != names.end();
    const bool hasParent = std::find(names.begin(), names.end(), u"..") != names.end();
    std::erase_if(names, isDot);
    std::vector<std::u16string> front;
    if (hasSelf || !volumeRoot) front.emplace_back(u".");
    if (hasParent || !volumeRoot) front.emplace_back(u"..");
    names.insert(names.begin(), front.begin(), front.end());
}

}  // namespace orvane::platform
