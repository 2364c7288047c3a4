#include "platform/system_memory.h"

#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace lumivane {

std::uint64_t available_memory() {
    if (std::FILE* info = std::fopen("/proc/meminfo", "r")) {
        char line[256];
        unsigned long long kilobytes = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, info)) {
            found = std::sscanf(line, "MemAvailable: %llu kB", &kilobytes) == 1;
        }
        std::fclose(info);
        if (found) return static_cast<std::uint64_t>(kilobytes) * 1024u;
    }
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long page_size = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && page_size > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size) : 0;
}

bool memory_allows(std::uint64_t bytes) {
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // Fuzzing runs many inputs a second under a small memory limit of its own.
    if (bytes > (std::uint64_t{256} << 20)) return false;
#endif
    // Half of what is free: one picture must leave room for the rest of the show.
    return bytes <= available_memory() / 2;
}

}  // namespace lumivane
