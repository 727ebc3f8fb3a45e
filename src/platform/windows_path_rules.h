#pragma once
// Windows' path rules that the program must know without asking the system:
// which listed names Windows addresses as themselves, and which folders are
// the roots of volumes by the form of their paths. Shared by the Windows
// backend, which also asks the system, and by the fake backend, which judges
// names and folders as the Windows program does.
//
// Windows reads a path by rules that rewrite some names: a last part that
// ends in a full stop or a space loses them (GetFullPathNameW, CreateFileW
// and ShellExecuteW all drop them), so "note.txt." reaches "note.txt"; a
// last part whose stem is a device name reaches the device, whatever its
// extension; a name holding a separator or a colon is read as a path or a
// stream, and one holding `*` or `?` as a pattern. Such names exist where
// Windows did not write the names (a Linux disk seen through Wine, a network
// share, an archive): they are listed, but acting on one would reach
// something else.

#include <algorithm>
#include <string_view>

namespace orvane::platform {

// An ASCII letter in upper case; every other unit as it is. Device names and
// drive letters are ASCII, and Windows matches them in any case.
constexpr char16_t asciiUpper(char16_t unit) {
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

// True when `stem` (the text before a name's first full stop, its trailing
// spaces dropped) is one of the names Windows gives to devices: CON, PRN,
// AUX, NUL, COM1 to COM9, LPT1 to LPT9 (also with the superscript digits
// ¹ ² ³), CONIN$ and CONOUT$, in any case.
constexpr bool isDeviceStem(std::u16string_view stem) {
    const auto equals = [&](std::u16string_view device) {
        return std::equal(stem.begin(), stem.end(), device.begin(), device.end(),
                          [&](char16_t unit, char16_t deviceUnit) { return asciiUpper(unit) == deviceUnit; });
    };
    for (std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"}) {
        if (equals(device)) return true;
    }
    if (stem.size() != 4) return false;
    const auto startsWith = [&](std::u16string_view port) {
        return asciiUpper(stem[0]) == port[0] && asciiUpper(stem[1]) == port[1] && asciiUpper(stem[2]) == port[2];
    };
    if (!startsWith(u"COM") && !startsWith(u"LPT")) return false;
    const char16_t digit = stem[3];
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' || digit == u'\u00B3';
}

// True when Windows' path rules leave `name` as it is: it holds no `\`, `/`
// or `:`, none of the characters Windows reserves (`"*<>?|`, which a path
// would read as a pattern, and control characters), does not end in a full
// stop or a space, and its stem is no device name. "." and ".." (a folder
// itself and its parent) count as themselves.
constexpr bool keepsItsNameOnWindows(std::u16string_view name) {
    if (name == u"." || name == u"..") return true;
    if (name.empty() || name.find_first_of(u"\\/:\"*<>?|") != std::u16string_view::npos) return false;
    for (char16_t unit : name) {
        if (unit < 0x20) return false;
    }
    if (name.back() == u'.' || name.back() == u' ') return false;
    std::u16string_view stem = name.substr(0, name.find(u'.'));
    while (!stem.empty() && stem.back() == u' ') stem.remove_suffix(1);
    return !isDeviceStem(stem);
}

// True when `folder`, a full path as GetFullPathNameW gives it, names the root
// of a volume by its form alone: a drive's root (C:\), a share
// (\\server\share, with or without the last separator), the same behind the
// prefixes \\?\ and \\.\ (\\?\C:\, \\?\UNC\server\share), or a volume by its
// name (\\?\Volume{...}). A folder where a volume is mounted has the form of
// any other folder: only the system can tell it.
constexpr bool isVolumeRootByForm(std::u16string_view folder) {
    const auto isSeparator = [](char16_t unit) { return unit == u'\\' || unit == u'/'; };
    // The number of components, one last separator allowed; -1 for an empty
    // component (a run of separators), which no full path holds.
    const auto components = [&](std::u16string_view path) {
        if (!path.empty() && isSeparator(path.back())) path.remove_suffix(1);
        if (path.empty()) return 0;
        int count = 1;
        for (size_t i = 0; i < path.size(); ++i) {
            if (!isSeparator(path[i])) continue;
            if (i == 0 || isSeparator(path[i - 1]) || i + 1 == path.size()) return -1;
            ++count;
        }
        return count;
    };
    const bool twoSeparators = folder.size() >= 2 && isSeparator(folder[0]) && isSeparator(folder[1]);
    const bool device = twoSeparators && folder.size() >= 4 && (folder[2] == u'?' || folder[2] == u'.') &&
                        isSeparator(folder[3]);
    if (device) {
        folder.remove_prefix(4);
        if (folder.size() >= 4 && asciiUpper(folder[0]) == u'U' && asciiUpper(folder[1]) == u'N' &&
            asciiUpper(folder[2]) == u'C' && isSeparator(folder[3])) {
            return components(folder.substr(4)) == 2;
        }
    } else if (twoSeparators) {
        return components(folder.substr(2)) == 2;
    }
    const bool drive =
        folder.size() >= 2 && asciiUpper(folder[0]) >= u'A' && asciiUpper(folder[0]) <= u'Z' && folder[1] == u':';
    if (drive) return folder.size() == 3 ? isSeparator(folder[2]) : (device && folder.size() == 2);
    return device && components(folder) == 1;
}

}  // namespace orvane::platform
