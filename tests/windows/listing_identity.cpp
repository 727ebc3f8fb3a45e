// The Windows build's listDirectory and word readers against the direct way
// (enter the folder, enumerate "*.*", go back), under Wine: every listing and
// every word must agree, and so must the current folder after each, on a tree
// built to tell them apart. Prints each difference; exit status 0 when none.

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "direct_way.h"

// FindFirstFileW and FindNextFileW on "*.*" in the current folder.
orvane::DirectoryListing orvane::reference::currentFolderEntries() {
    DirectoryListing names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(L"*.*", &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(reinterpret_cast<const char16_t*>(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

namespace {

using namespace orvane;

std::u16string text(const std::wstring& wide) { return std::u16string(wide.begin(), wide.end()); }
std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

// Through "\\?\", so that names ending in a dot or a space are made as given.
bool makeFolder(const std::wstring& path) { return CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr) != 0; }
bool makeFile(const std::wstring& path) {
    const HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// A word file of the standards tree (whose paths hold runs of separators).
void makeWordFile(const std::wstring& folder, const std::wstring& name) {
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    const HANDLE file = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

std::wstring currentFolder() {
    std::u16string folder;
    platform::getCurrentFolder(folder);
    return wide(folder);
}

int failures = 0;

void report(const char* what, const std::vector<std::string>& differences) {
    for (const std::string& difference : differences) std::printf("%s: %s\n", what, difference.c_str());
    failures += static_cast<int>(differences.size());
    std::printf("%s: %zu differences\n", what, differences.size());
    std::fflush(stdout);
}

void check(bool condition, const char* what) {
    if (!condition) {
        std::printf("FAILED: %s\n", what);
        ++failures;
    }
}

}  // namespace

int wmain() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"orvane-identity-" + std::to_wstring(GetCurrentProcessId());
    makeFolder(root);

    const std::wstring browsed = root + L"\\Browsed";
    makeFolder(browsed);
    const std::vector<std::wstring> names = {
        L"a b", L" lead", L"trail ", L"x.", L"...", L".hidden", L"a.b.c", L"no dot", L"Май", L"ёлка", L"ЖУК",
        L"_under", L"1file", L"édition", std::wstring(255, L'n'), std::wstring(127, L'ж')};
    for (const std::wstring& name : names) check(makeFile(browsed + L"\\" + name), "a file of the tree");
    for (const wchar_t* folder : {L"Inner", L"two  spaces", L"dots.in.name", L"Ü", L"sp ", L"dot."}) {
        check(makeFolder(browsed + L"\\" + folder) && makeFile(browsed + L"\\" + folder + L"\\inside.txt"),
              "a folder of the tree");
    }
    makeFile(root + L"\\file.txt");
    makeFolder(root + L"\\Empty");
    makeFolder(root + L"\\Big");
    for (int i = 0; i < 10000; ++i) makeFile(root + L"\\Big\\n" + std::to_wstring(i * 7919 % 10007) + L".e");
    // Beyond the classic path limit of 260 units.
    std::wstring deep = root;
    std::wstring relativeDeep;
    for (int depth = 0; depth < 6; ++depth) {
        deep += L"\\" + std::wstring(60, L'd');
        relativeDeep += std::wstring(60, L'd') + L"\\";
        makeFolder(deep);
    }
    makeFile(deep + L"\\bottom.txt");

    std::vector<std::u16string> paths = {
        u"", u".", u"..", u"\\", u"/", u"Browsed", u"Browsed\\", u"Browsed/", u"Browsed\\\\\\", u".\\Browsed",
        u"Browsed\\..\\Browsed", u"Browsed\\Inner\\..", u"Browsed\\Inner", u"Browsed/two  spaces",
        u"Browsed\\dots.in.name", u"Browsed\\Ü", u"Browsed\\sp ", u"Browsed\\sp \\", u"Browsed\\sp",
        u"Browsed\\dot.", u"Browsed\\dot.\\", u"Browsed\\dot", u"Browsed\\a b", u"Brow*", u"Browsed?",
        u"Browsed\\*.*", u"Missing", u"file.txt", u"file.txt\\", u"file.txt\\sub", u"Empty", u"Big", u"NUL",
        u"CON", u"C:", u"Z:", u"C:\\", text(deep), text(deep) + u"\\", text(deep) + u"\\missing",
        text(relativeDeep), text(L"\\\\?\\" + browsed), text(L"\\\\?\\" + deep), text(browsed + L"\\Inner"),
        std::u16string(u"Browsed\0x", 9)};
    for (std::u16string& path : std::vector<std::u16string>{text(root + L"/Browsed"), text(root + L"\\Big")}) {
        paths.push_back(path);
    }

    const auto enter = [](const std::wstring& folder) {
        return [folder] { SetCurrentDirectoryW(folder.c_str()); };
    };
    report("from the tree's folder", reference::listingDifferences(paths, enter(root)));
    report("from a folder beyond 260 units", reference::listingDifferences(paths, enter(deep)));
    report("from the browsed folder", reference::listingDifferences(paths, enter(browsed)));

    SetCurrentDirectoryW(root.c_str());
    check(listDirectory(u"Big").size() == 10002, "10,000 entries and the two of the folder itself");
    const DirectoryListing inner = listDirectory(u"Browsed\\Inner");
    check(inner == DirectoryListing({u".", u"..", u"inside.txt"}), "the listing of Browsed\\Inner");
    check(listDirectory(u"").empty(), "an empty path lists nothing");
    check(currentFolder() == root, "the current folder is left alone");

    // The words, from the program's folder and from elsewhere, with one key
    // folder missing; then with the program's folder gone.
    const std::wstring program = root + L"\\Program";
    for (size_t i = 0; i < 7; ++i) {
        const std::wstring key = program + L"\\" + wide(appState.dayOfWeekFolder) + L"\\" + wide(appState.dayOfWeekKeys[i]);
        SHCreateDirectoryExW(nullptr, key.c_str(), nullptr);
        if (i != 2) makeWordFile(key, L"d" + std::wstring(i + 1, L'ы') + L".txt");
    }
    for (size_t i = 0; i < 12; ++i) {
        makeWordFile(program + L"\\" + wide(appState.monthsFolder) + L"\\" + wide(appState.monthKeys[i]),
                     L"m" + std::wstring(i + 1, L'.') + L"x");
    }
    makeWordFile(program + L"\\" + wide(appState.yearFolder), L"year.txt");
    appState.programFolder = text(program);
    report("words from the program's folder", reference::wordDifferences(enter(program)));
    report("words from elsewhere", reference::wordDifferences(enter(browsed)));
    SetCurrentDirectoryW(program.c_str());
    check(dateTimeText(2024, 2, 15, 3, 9, 5, 7) == u"  09:05:07 15 m. 2024 year.", "the date text");
    appState.programFolder = text(root + L"\\Gone");
    report("words with the program's folder gone", reference::wordDifferences(enter(program)));

    SetCurrentDirectoryW(temp);
    std::printf("%s\n", failures == 0 ? "all agree" : "differences found");
    return failures == 0 ? 0 : 1;
}
