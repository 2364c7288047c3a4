#pragma once

#include <cstdint>

namespace lumivane {

// Bytes of memory the system can give this process now without swapping.
std::uint64_t available_memory();

// Whether a picture of this many bytes may be allocated: at most half the memory free
// now. A few bytes of a file can announce a picture larger than the machine, and such
// an allocation can succeed only to end the process when its pages are touched.
bool memory_allows(std::uint64_t bytes);

}  // namespace lumivane
