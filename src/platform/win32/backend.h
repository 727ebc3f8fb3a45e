#pragma once
// The Windows backend's own state, started and ended explicitly by whoever
// runs it (the program's entry, the render tool, the tests under Wine): one
// struct per file, each made by its start and given back whole by its end.
// Nothing is left to the process's end.

namespace orvane::platform::win32 {

// Starts every part below; endBackend ends them in the reverse order. The
// backend's calls work before the start and after the end, keeping nothing:
// no window failure is remembered, no font is asked about, no volume root
// answer is kept.
void startBackend();
void endBackend();

// window.cpp: why the window could not be made; the message last peeked.
void startWindowing();
void endWindowing();

}  // namespace orvane::platform::win32
