#pragma once
// How much more memory this process may take. The system's free memory is only one
// bound: a control group or a resource limit can be far tighter, and a process that
// passes its control group's limit is killed by the kernel without a word.

#include <cstdint>
#include <string_view>

namespace lumivane {

inline constexpr std::uint64_t unlimited_memory = ~std::uint64_t{0};

// Bytes of memory the system can give this process now without swapping.
std::uint64_t available_memory();

// The room left under the memory limits of the process's control group and of every
// group above it (cgroup v2 memory.max less memory.current, or the v1 limit less the
// usage; file pages the kernel can drop at once count as free), given the texts of
// /proc/self/cgroup and /proc/self/mountinfo. unlimited_memory when no limit is set.
std::uint64_t cgroup_headroom(std::string_view cgroup_text, std::string_view mountinfo_text);

// The least of the available memory, the control groups' room and what RLIMIT_AS and
// RLIMIT_DATA leave.
std::uint64_t memory_headroom();

// What the program keeps free for everything besides pictures: its windows, the
// decoders' buffers, thread stacks.
inline constexpr std::uint64_t memory_reserve = std::uint64_t{256} << 20;

// Whether this many bytes more may be taken now, the reserve left over. A few bytes of
// a file can announce a picture larger than the machine; such an allocation can succeed
// only to end the process when its pages are touched.
[[nodiscard]] bool memory_fits(std::uint64_t bytes);

}  // namespace lumivane
