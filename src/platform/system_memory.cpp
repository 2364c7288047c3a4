#include "platform/system_memory.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace lumivane {

namespace {

std::string file_text(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool parse_number(std::string_view text, std::uint64_t& value) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end != text.data();
}

// The number after "key" at the start of a line of text ("MemAvailable:", "inactive_file").
bool keyed_number(std::string_view text, std::string_view key, std::uint64_t& value) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        if (line.size() > key.size() && line.substr(0, key.size()) == key &&
            (line[key.size()] == ' ' || line[key.size()] == '\t')) {
            return parse_number(line.substr(key.size()), value);
        }
        start = end + 1;
    }
    return false;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// Mount points write a space, a tab, a newline and a backslash as three octal digits.
std::string unescape_mount_path(std::string_view text) {
    const auto octal = [](char c) { return c >= '0' && c <= '7'; };
    std::string path;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && octal(text[i + 1]) && octal(text[i + 2]) && octal(text[i + 3])) {
            path.push_back(static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0')));
            i += 3;
        } else {
            path.push_back(text[i]);
        }
    }
    return path;
}

// Limits at or above this are no limits ("max" in v2, a page-rounded 2^63 in v1).
constexpr std::uint64_t no_limit = std::uint64_t{1} << 60;

// One control group whose memory limit applies to the process: its own or one above it.
struct Group {
    std::string folder;
    bool version2;
};

// The groups from the process's own up to the root of a hierarchy mounted at
// mount_point, which shows the subtree mount_root of it.
void add_groups(std::vector<Group>& groups, std::string_view group, const std::string& mount_point,
                std::string_view mount_root, bool version2) {
    if (mount_root == "/") mount_root = "";
    if (group.substr(0, mount_root.size()) != mount_root) return;
    std::string folder = mount_point + std::string(group.substr(mount_root.size()));
    while (folder.size() > mount_point.size() && folder.back() == '/') folder.pop_back();
    for (;;) {
        groups.push_back({folder, version2});
        const std::size_t slash = folder.rfind('/');
        if (folder.size() <= mount_point.size() || slash == std::string::npos || slash < mount_point.size()) return;
        folder.erase(slash);
    }
}

std::vector<Group> memory_groups(std::string_view cgroup_text, std::string_view mountinfo_text) {
    // The process's group in the v2 hierarchy ("0::path") and in a v1 memory one
    // ("n:...,memory,...:path").
    std::string_view version2_group, version1_group;
    bool has_version2 = false, has_version1 = false;
    for (std::string_view line : split(cgroup_text, '\n')) {
        const std::vector<std::string_view> fields = split(line, ':');
        if (fields.size() < 3) continue;
        const std::string_view path = line.substr(fields[0].size() + fields[1].size() + 2);
        if (fields[0] == "0" && fields[1].empty()) {
            version2_group = path;
            has_version2 = true;
        }
        for (std::string_view controller : split(fields[1], ',')) {
            if (controller == "memory") {
                version1_group = path;
                has_version1 = true;
            }
        }
    }
    std::vector<Group> groups;
    // "id parent major:minor root mount-point options [optional...] - type source super-options"
    for (std::string_view line : split(mountinfo_text, '\n')) {
        const std::vector<std::string_view> fields = split(line, ' ');
        const auto dash = std::find(fields.begin(), fields.end(), "-");
        if (fields.size() < 5 || dash == fields.end() || fields.end() - dash < 4) continue;
        const std::string_view type = dash[1];
        const std::vector<std::string_view> options = split(dash[3], ',');
        const bool memory = std::find(options.begin(), options.end(), "memory") != options.end();
        if (type == "cgroup2" && has_version2) {
            add_groups(groups, version2_group, unescape_mount_path(fields[4]), unescape_mount_path(fields[3]), true);
        } else if (type == "cgroup" && memory && has_version1) {
            add_groups(groups, version1_group, unescape_mount_path(fields[4]), unescape_mount_path(fields[3]), false);
        }
    }
    return groups;
}

// The room under the limits of the groups. File pages the kernel can drop at once
// count as free.
std::uint64_t groups_headroom(const std::vector<Group>& groups) {
    std::uint64_t headroom = unlimited_memory;
    for (const Group& group : groups) {
        std::uint64_t limit = 0, usage = 0, inactive = 0;
        // A group without the files, or with "max", has no limit.
        const std::string& folder = group.folder;
        if (!parse_number(file_text(folder + (group.version2 ? "/memory.max" : "/memory.limit_in_bytes")), limit) ||
            limit >= no_limit ||
            !parse_number(file_text(folder + (group.version2 ? "/memory.current" : "/memory.usage_in_bytes")), usage)) {
            continue;
        }
        keyed_number(file_text(folder + "/memory.stat"), group.version2 ? "inactive_file" : "total_inactive_file",
                     inactive);
        const std::uint64_t used = usage - std::min(usage, inactive);
        headroom = std::min(headroom, limit - std::min(limit, used));
    }
    return headroom;
}

// The room under a resource limit, given a way to read what counts against it.
template <typename Used>
std::uint64_t limit_headroom(int resource, Used used) {
    rlimit limit{};
    if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return unlimited_memory;
    const auto allowed = static_cast<std::uint64_t>(limit.rlim_cur);
    return allowed - std::min<std::uint64_t>(allowed, used());
}

}  // namespace

std::uint64_t available_memory() {
    std::uint64_t kilobytes = 0;
    if (keyed_number(file_text("/proc/meminfo"), "MemAvailable:", kilobytes)) return kilobytes * 1024;
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long page_size = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && page_size > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size) : 0;
}

std::uint64_t cgroup_headroom(std::string_view cgroup_text, std::string_view mountinfo_text) {
    return groups_headroom(memory_groups(cgroup_text, mountinfo_text));
}

std::uint64_t memory_headroom() {
    // A process stays in its groups, so they are found once.
    static const std::vector<Group> groups =
        memory_groups(file_text("/proc/self/cgroup"), file_text("/proc/self/mountinfo"));
    const auto address_space = [] {
        std::uint64_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        return pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    };
    const auto data = [] {
        std::uint64_t kilobytes = 0;
        keyed_number(file_text("/proc/self/status"), "VmData:", kilobytes);
        return kilobytes * 1024;
    };
    return std::min({available_memory(), groups_headroom(groups), limit_headroom(RLIMIT_AS, address_space),
                     limit_headroom(RLIMIT_DATA, data)});
}

bool memory_fits(std::uint64_t bytes) {
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // Fuzzing runs many inputs a second under a small memory limit of its own.
    if (bytes > (std::uint64_t{256} << 20)) return false;
#endif
    const std::uint64_t headroom = memory_headroom();
    return headroom >= memory_reserve && bytes <= headroom - memory_reserve;
}

}  // namespace lumivane
