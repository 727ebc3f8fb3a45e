#pragma once
// How the Linux program's memory is recycled.

namespace orvane::posix {

// Keeps the memory the process frees for its own later use instead of handing
// it back to the system at once. Every frame builds a listing of the browsed
// folder and drops the one before, so with a large folder each frame would
// otherwise take fresh pages from the system, and on some systems touching
// fresh pages costs more than the listing itself. Call once, at start.
void keepFreedMemory();

}  // namespace orvane::posix
