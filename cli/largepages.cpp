// The runner's allocator (jemalloc, linked in by cli/CMakeLists.txt) reads this at its start.
// A run touches its memory for the first time as it grows, and on virtual machines each new 4 KB
// page costs several microseconds: sand-3d paid for about 670 of them. Asking for 2 MB pages
// (transparent huge pages, where the system offers them) turns those into a handful.
extern "C" {
// NOLINTNEXTLINE: the name and type are the allocator's
const char* malloc_conf = "thp:always,metadata_thp:always";
}
