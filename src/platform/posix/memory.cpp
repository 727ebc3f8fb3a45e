// glibc hands large blocks back to the system as soon as they are freed (each
// is a mapping of its own, and the top of the heap is trimmed beyond a small
// threshold). Here every block comes from the heap and up to 512 MB of free
// memory at its top is kept, so a frame reuses the pages the last one freed.
// Small blocks are not parked in glibc's fast bins either: a frame of a folder
// of a million entries frees a million names at once, and fast bins would
// hold them all until the next large request merges them in one long pass
// (measured: a fifth of such a frame); freed directly they merge as they go.
#include "platform/posix/memory.h"

#include <malloc.h>

namespace orvane::posix {

void keepFreedMemory() {
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_MXFAST, 0);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
}

}  // namespace orvane::posix
