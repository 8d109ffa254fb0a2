// Freed memory kept for the next frame; see framememory.h.
#include "view/framememory.h"

#include <cstdlib>  // defines __GLIBC__ with the C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void KeepFrameMemory()
{
#if defined(__GLIBC__)
    static const bool done = [] {
        // Blocks up to 32 MB (the largest threshold allowed) come from the heap, and up to 64 MB
        // of free heap stay with the process. Setting either also stops the adaptive changes.
        mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
        return true;
    }();
    (void)done;
#endif
}
