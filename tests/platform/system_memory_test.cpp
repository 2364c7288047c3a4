#include "platform/system_memory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;

void write(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
}

// The tightest limit counts, from the process's own group up to the root of each
// hierarchy; file pages the kernel can drop count as free. The v2 hierarchy is mounted
// whole; the v1 memory one at a folder with a space in its name (written \040 in
// mountinfo), showing only the subtree /outer.
TEST(CgroupHeadroom, TheTightestGroupAboveTheProcessCounts) {
    TempFolder root;
    const std::string v2 = root.native() + "/unified";
    write(v2 + "/app/memory.max", "1000000000\n");
    write(v2 + "/app/memory.current", "600000000\n");
    write(v2 + "/app/memory.stat", "anon 400000000\ninactive_file 100000000\nactive_file 100000000\n");
    write(v2 + "/app/job/memory.max", "max\n");
    write(v2 + "/app/job/memory.current", "500000000\n");
    write(v2 + "/full/memory.max", "1000000000\n");
    write(v2 + "/full/memory.current", "1200000000\n");
    const std::string v1 = root.native() + "/mem ory";
    write(v1 + "/memory.limit_in_bytes", "9223372036854771712\n");
    write(v1 + "/memory.usage_in_bytes", "5000000000\n");
    write(v1 + "/inner/memory.limit_in_bytes", "300000000\n");
    write(v1 + "/inner/memory.usage_in_bytes", "250000000\n");
    write(v1 + "/inner/memory.stat", "cache 1\ninactive_file 7\ntotal_inactive_file 50000000\n");
    const std::string mountinfo = "24 1 0:22 / / rw - ext4 /dev/root rw\n"
                                  "31 24 0:28 / " + v2 + " rw,relatime shared:9 - cgroup2 cgroup2 rw\n"
                                  "35 24 0:32 /outer " + root.native() + "/mem\\040ory rw - cgroup cgroup rw,memory\n"
                                  "36 24 0:33 / " + root.native() + "/cpu rw - cgroup cgroup rw,cpu\n";
    struct Case {
        const char* groups;
        std::uint64_t headroom;
    };
    const Case cases[] = {
        {"", unlimited_memory},
        {"0::/app/job\n", 500000000},              // /app: 1000 MB less 600 MB plus 100 MB droppable
        {"4:memory:/outer/inner\n", 100000000},   // 300 MB less 250 MB plus 50 MB
        {"5:cpu:/outer/inner\n4:memory:/outer/inner\n0::/app/job\n", 100000000},
        {"4:memory:/elsewhere\n", unlimited_memory},  // not under the mounted subtree
        {"0::/\n", unlimited_memory},
        {"0::/full\n", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cgroup_headroom(c.groups, mountinfo), c.headroom) << c.groups;
    }
}

}  // namespace
}  // namespace lumivane
