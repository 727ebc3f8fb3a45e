// Compares the Linux build's upper-casing of names (upcaseUnit, the table
// generated from the Unicode data) with Windows' own, and its order of a
// folder's entries with the order FindFirstFileW gives:
//   1. every one of the 65536 UTF-16 units against RtlUpcaseUnicodeChar, the
//      system's upper-casing of file names, and against CompareStringOrdinal
//      with ignore-case (each unit must compare equal to our capital);
//   2. a folder holding names across scripts, made here, enumerated with
//      FindFirstFileW and ordered by entryNameBefore.
// Every unit where the two upper-casings differ is printed. The units where
// they are known to differ, and why ours is the one Windows' file systems
// use, are listed in knownDifferences; any other difference, and any
// difference in the folder's order, fails.

#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "entry_order.h"
#include "platform/posix/posix_files.h"

namespace {

using orvane::reference::entryNameBefore;
using orvane::posix::upcaseUnit;

using UpcaseFunction = WCHAR(WINAPI*)(WCHAR);

// Final sigma: Wine leaves it as it is, as it does every unit whose capital
// lower-cases to another letter. Windows' own tables upper-case it to capital
// sigma all the same (Microsoft's recommended up-case table in its exFAT
// documentation maps U+03C2 to U+03A3, and so do the tables NTFS writes),
// so a folder on a Windows volume sorts "ςx" with "Σx", and ours does too.
const std::set<uint32_t> knownDifferences = {0x03C2};

std::string hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", value);
    return text;
}

std::string utf8(const std::u16string& text) {
    std::wstring wide(text.begin(), text.end());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

int compareUnits() {
    const auto upcase = reinterpret_cast<UpcaseFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlUpcaseUnicodeChar")));
    if (!upcase) {
        std::printf("RtlUpcaseUnicodeChar not found\n");
        return 1;
    }
    std::set<uint32_t> differing;
    std::set<uint32_t> ordinalDiffering;
    for (uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const auto ours = static_cast<uint32_t>(upcaseUnit(static_cast<char16_t>(unit)));
        const auto theirs = static_cast<uint32_t>(upcase(static_cast<WCHAR>(unit)));
        if (ours != theirs) {
            differing.insert(unit);
            std::printf("unit %s: ours %s, Windows %s%s\n", hex(unit).c_str(), hex(ours).c_str(),
                        hex(theirs).c_str(), knownDifferences.count(unit) ? " (known)" : "");
        }
        const WCHAR left = static_cast<WCHAR>(unit);
        const WCHAR right = static_cast<WCHAR>(ours);
        if (CompareStringOrdinal(&left, 1, &right, 1, TRUE) != CSTR_EQUAL) ordinalDiffering.insert(unit);
    }
    std::printf("%zu of 65536 units upper-case differently from RtlUpcaseUnicodeChar, %zu compare unequal "
                "to our capital in CompareStringOrdinal\n",
                differing.size(), ordinalDiffering.size());
    const bool agree = differing == knownDifferences && ordinalDiffering == knownDifferences;
    if (!agree) std::printf("FAILED: differences other than the known ones\n");
    return agree ? 0 : 1;
}

// Names across scripts whose order changes with the upper-casing: in each
// pair the first sorts first only when its small letter is upper-cased (by
// plain code units it would come after the second's capital).
int compareFolderOrder() {
    const std::vector<std::u16string> names = {
        u"zeta",  u"Alpha", u"abc",   u"ABD",   u"_under", u"édition", u"ÿes",  u"Źle",
        u"ḁnd",   u"Ḃe",    u"ẁave",  u"Ẃhy",   u"ա",      u"Բ",       u"ａlpha", u"Ｂeta",
        u"ⅱ",     u"Ⅲ",     u"ⓐ",     u"Ⓑ",     u"ⴀ",      u"Ⴁ",       u"ა",     u"Ბ",
        u"ꭰ",     u"Ꭱ",     u"ⰰ",     u"Ⰱ",     u"ⲁ",      u"Ⲃ",       u"ꙁ",     u"Ꙃ",
        u"ǆ",     u"ǅ",     u"ıx",    u"Iy",    u"ſa",     u"Sb",      u"µm",    u"Μn",
        u"ß",     u"ẞ",     u"жук",   u"Ёлка",  u"ωmega",  u"Σigma",   u"1file", u"Ꜳ",
    };
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"orvane-order-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const auto& name : names) {
        const std::wstring path = folder + L"\\" + std::wstring(name.begin(), name.end());
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    std::vector<std::u16string> listed;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*.*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") listed.emplace_back(name.begin(), name.end());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    for (const auto& name : listed) {
        const std::wstring path = folder + L"\\" + std::wstring(name.begin(), name.end());
        DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(folder.c_str());

    std::vector<std::u16string> ours = listed;
    std::sort(ours.begin(), ours.end(), entryNameBefore);
    std::printf("%zu names made, %zu listed; FindFirstFileW order, then ours:\n", names.size(), listed.size());
    bool same = listed.size() == names.size();
    for (size_t i = 0; i < listed.size(); ++i) {
        const bool differs = listed[i] != ours[i];
        same = same && !differs;
        std::printf("%3zu  %-14s %-14s%s\n", i, utf8(listed[i]).c_str(), utf8(ours[i]).c_str(),
                    differs ? "  <- differs" : "");
    }
    if (!same) std::printf("FAILED: the folder's order differs\n");
    return same ? 0 : 1;
}

}  // namespace

int main() {
    int failed = compareUnits();
    failed |= compareFolderOrder();
    return failed;
}
