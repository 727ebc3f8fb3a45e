// What each system call of a frame costs under Wine, call by call, to set
// beside the frame rates of the programs and of gdi_loop.exe. Run from the
// folder that holds the catalog (the build's bin folder):
//   call_costs.exe [catalog] [key folder inside the catalog]
//   call_costs.exe --listings folder...
// Prints one line per measurement: "<name>\t<microseconds per call>", each the
// median of seven batches. With --listings, one line: what listing each of
// the given folders (relative to the current folder) once costs, by path and
// with nothing else, the least a frame that lists them can spend on them.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "helper_window.h"

namespace {

LARGE_INTEGER frequency;

double nowMicroseconds() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

constexpr int batches = 7;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void printRow(const std::string& name, double microseconds) {
    std::printf("%s\t%.2f\n", name.c_str(), microseconds);
    std::fflush(stdout);
}

// Runs `batch` (which makes `calls` calls) once to warm up, then seven times,
// and prints the median time per call.
template <typename Batch>
void report(const char* name, int calls, Batch batch) {
    batch();
    std::vector<double> perCall;
    for (int round = 0; round < batches; ++round) {
        const double start = nowMicroseconds();
        batch();
        perCall.push_back((nowMicroseconds() - start) / calls);
    }
    printRow(name, median(perCall));
}

std::wstring currentFolder() {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
    return std::wstring(buffer, length < MAX_PATH ? length : 0);
}

// One whole enumeration: FindFirstFileW, FindNextFileW to the end, FindClose.
int enumerate(const wchar_t* pattern) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int names = 1;
    while (FindNextFileW(search, &found)) ++names;
    FindClose(search);
    return names;
}

// The parts of `rounds` enumerations, each call timed by itself and the times
// of each part summed.
struct EnumerationParts {
    double first = 0, next = 0, close = 0;
    long nextCalls = 0;
};

EnumerationParts enumerationParts(const wchar_t* pattern, int rounds) {
    EnumerationParts parts;
    WIN32_FIND_DATAW found{};
    for (int round = 0; round < rounds; ++round) {
        double start = nowMicroseconds();
        const HANDLE search = FindFirstFileW(pattern, &found);
        parts.first += nowMicroseconds() - start;
        if (search == INVALID_HANDLE_VALUE) continue;
        for (;;) {
            start = nowMicroseconds();
            const BOOL more = FindNextFileW(search, &found);
            parts.next += nowMicroseconds() - start;
            ++parts.nextCalls;
            if (!more) break;
        }
        start = nowMicroseconds();
        FindClose(search);
        parts.close += nowMicroseconds() - start;
    }
    return parts;
}

// The parts of one enumeration timed the way report() times the whole: one
// round to warm up, then seven batches of `rounds` enumerations, and for each
// part the median of the batches' time per call. The sum of the three per
// enumeration is printed too: beside the whole, it shows what timing each
// call by itself adds.
void reportParts(const std::string& name, const wchar_t* pattern, int rounds) {
    enumerationParts(pattern, 1);
    std::vector<double> first, next, close, sum;
    for (int batch = 0; batch < batches; ++batch) {
        const EnumerationParts parts = enumerationParts(pattern, rounds);
        first.push_back(parts.first / rounds);
        next.push_back(parts.next / static_cast<double>(parts.nextCalls));
        close.push_back(parts.close / rounds);
        sum.push_back((parts.first + parts.next + parts.close) / rounds);
    }
    printRow("  FindFirstFileW, " + name, median(first));
    printRow("  FindNextFileW, " + name, median(next));
    printRow("  FindClose, " + name, median(close));
    printRow("  sum of the three, " + name, median(sum));
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

void drawingCalls() {
    HWND window = openHelperWindow(L"CallCostsClass", L"Call costs", procedure);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);

    const HelperCanvas frame = openCanvas(window);
    const HDC windowDC = frame.windowDC;
    const HDC memoryDC = frame.memoryDC;
    const RECT client = frame.client;
    SetBkMode(memoryDC, TRANSPARENT);
    LOGFONTW small{};
    small.lfHeight = 16;
    HFONT font = CreateFontIndirectW(&small);
    HGDIOBJ savedFont = SelectObject(memoryDC, font);
    const wchar_t line[] = L" Tuesday 14:49:02 08 December 2026 year.";
    const int length = static_cast<int>(wcslen(line));

    report("TextOutW (a clock line, 16 px)", 200, [&] {
        for (int i = 0; i < 200; ++i) TextOutW(memoryDC, 250, 46, line, length);
    });
    // gdi_loop.exe's texts are this short; the program's are longer.
    report("TextOutW (6 characters, 16 px, as gdi_loop.exe draws)", 200, [&] {
        for (int i = 0; i < 200; ++i) TextOutW(memoryDC, 250, 46, L"07 123", 6);
    });
    report("GetClientRect", 1000, [&] {
        RECT rect;
        for (int i = 0; i < 1000; ++i) GetClientRect(window, &rect);
    });
    report("BitBlt (whole client area to the window)", 20, [&] {
        for (int i = 0; i < 20; ++i) {
            BitBlt(windowDC, 0, 0, client.right, client.bottom, memoryDC, 0, 0, SRCCOPY);
        }
        GdiFlush();
    });

    SelectObject(memoryDC, savedFont);
    DeleteObject(font);
    closeCanvas(frame);
    DestroyWindow(window);
}

}  // namespace

// The bare listings of a frame: each folder enumerated once by its full path.
int bareListings(int count, wchar_t** folders) {
    const std::wstring program = currentFolder();
    std::vector<std::wstring> patterns;
    for (int i = 0; i < count; ++i) {
        patterns.push_back(program + L"\\" + folders[i] + L"\\*.*");
        if (enumerate(patterns.back().c_str()) < 3) {
            std::fprintf(stderr, "cannot list folder %d of the listings\n", i + 1);
            return 2;
        }
    }
    report("listings", 100, [&] {
        for (int i = 0; i < 100; ++i) {
            for (const std::wstring& pattern : patterns) enumerate(pattern.c_str());
        }
    });
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    QueryPerformanceFrequency(&frequency);
    if (argc > 1 && std::wstring(argv[1]) == L"--help") {
        std::puts("usage: call_costs.exe [catalog] [key folder inside the catalog]\n"
                  "       call_costs.exe --listings folder...\n"
                  "What each system call of a frame costs, from the folder that holds the catalog: one line\n"
                  "\"<name>\\t<microseconds per call>\" each, the median of seven batches; with --listings,\n"
                  "what listing the given folders once, by path, costs.");
        return 0;
    }
    if (argc > 1 && std::wstring(argv[1]) == L"--listings") return bareListings(argc - 2, argv + 2);
    const std::wstring catalog = argc > 1 ? argv[1] : L"Catalog";
    const std::wstring keyFolder =
        catalog + L"\\" + (argc > 2 ? argv[2] : L"Standards\\Time\\Day of Week\\Monday");
    const std::wstring program = currentFolder();
    const std::wstring keyFull = program + L"\\" + keyFolder;
    const std::wstring catalogFull = program + L"\\" + catalog;
    if (enumerate((keyFull + L"\\*.*").c_str()) < 3 || enumerate((catalogFull + L"\\*.*").c_str()) < 3) {
        std::fprintf(stderr, "no catalog with that key folder in the current folder\n");
        return 2;
    }

    report("QueryPerformanceCounter (the timer of every row)", 1000, [] {
        LARGE_INTEGER counter;
        for (int i = 0; i < 1000; ++i) QueryPerformanceCounter(&counter);
    });
    report("GetCurrentDirectoryW", 1000, [] {
        for (int i = 0; i < 1000; ++i) currentFolder();
    });
    report("GetFullPathNameW (a key folder, relative)", 1000, [&] {
        wchar_t full[MAX_PATH];
        for (int i = 0; i < 1000; ++i) GetFullPathNameW(keyFolder.c_str(), MAX_PATH, full, nullptr);
    });
    report("SetCurrentDirectoryW (another folder)", 200, [&] {
        for (int i = 0; i < 100; ++i) {
            SetCurrentDirectoryW(catalogFull.c_str());
            SetCurrentDirectoryW(program.c_str());
        }
    });
    report("SetCurrentDirectoryW (the folder already current)", 200, [&] {
        for (int i = 0; i < 200; ++i) SetCurrentDirectoryW(program.c_str());
    });

    // Enumerations, whole and call by call: in the current folder ("*.*"
    // after entering it) and by a path pattern from the program's folder.
    struct Case {
        const char* name;
        std::wstring enter;  // folder made current first; empty: stay
        std::wstring pattern;
    };
    const std::vector<Case> cases = {
        {"key folder, entered, \"*.*\"", keyFull, L"*.*"},
        {"key folder, by path \"folder\\*.*\"", L"", keyFull + L"\\*.*"},
        {"browsed folder, entered, \"*.*\"", catalogFull, L"*.*"},
        {"browsed folder, by path \"folder\\*.*\"", L"", catalogFull + L"\\*.*"},
    };
    for (const Case& c : cases) {
        SetCurrentDirectoryW(c.enter.empty() ? program.c_str() : c.enter.c_str());
        const std::string whole = std::string("FindFirstFileW+FindNextFileW+FindClose, ") + c.name;
        report(whole.c_str(), 50, [&] {
            for (int i = 0; i < 50; ++i) enumerate(c.pattern.c_str());
        });
        reportParts(c.name, c.pattern.c_str(), 50);
        SetCurrentDirectoryW(program.c_str());
    }

    // One listing of a key folder two ways: by entering the folder (save,
    // enter, enumerate, go back), and by its path as the program lists (read
    // the current folder, resolve the path, enumerate by path).
    report("listing, entering the folder (key folder)", 50, [&] {
        for (int i = 0; i < 50; ++i) {
            const std::wstring saved = currentFolder();
            SetCurrentDirectoryW(keyFolder.c_str());
            enumerate(L"*.*");
            SetCurrentDirectoryW(saved.c_str());
        }
    });
    report("listing, by path (key folder)", 50, [&] {
        for (int i = 0; i < 50; ++i) {
            currentFolder();
            wchar_t full[MAX_PATH];
            GetFullPathNameW(keyFolder.c_str(), MAX_PATH, full, nullptr);
            enumerate((std::wstring(full) + L"\\*.*").c_str());
        }
    });

    report("GetSystemTime", 1000, [] {
        SYSTEMTIME now;
        for (int i = 0; i < 1000; ++i) GetSystemTime(&now);
    });
    report("GetLocalTime", 1000, [] {
        SYSTEMTIME now;
        for (int i = 0; i < 1000; ++i) GetLocalTime(&now);
    });

    const std::wstring probe = L"probe.tmp";
    CloseHandle(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    report("CreateFileW probe + CloseHandle", 200, [&] {
        for (int i = 0; i < 200; ++i) {
            const HANDLE file = CreateFileW(probe.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        }
    });
    DeleteFileW(probe.c_str());

    drawingCalls();
    return 0;
}
