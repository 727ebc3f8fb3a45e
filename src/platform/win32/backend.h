#pragma once
// The Windows backend's own state, started and ended explicitly by whoever
// runs it (the program's entry, the render tool, the tests under Wine): one
// struct per file, each made by its start and given back whole by its end.
// Nothing is left to the process's end.

namespace orvane::platform::win32 {

// Starts every part below; endBackend ends them in the reverse order. Before
// the start and after the end no window is made, and the other calls work
// keeping nothing: no font is asked about, no volume root answer is kept.
void startBackend();
void endBackend();

// window.cpp: the program's window procedure, why the window could not be
// made, the message last peeked. The window is made only while it runs.
void startWindowing();
void endWindowing();

}  // namespace orvane::platform::win32
