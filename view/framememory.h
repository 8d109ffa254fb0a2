// Memory for drawing frames: the software renderer (Mesa's llvmpipe) allocates its vertex
// buffers for every draw and frees them after; with the C library's adaptive thresholds those
// megabytes can go back to the system after each frame and come back as fresh pages in the
// next, tens of milliseconds of page faults per frame of a large space.
#pragma once

// Keeps freed memory in the process for reuse by the next frame: fixed thresholds for returning
// memory to the system and for mapping blocks of their own. Once per process; harmless where
// the C library has no such thresholds.
void KeepFrameMemory();
