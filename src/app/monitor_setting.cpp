#include "app/monitor_setting.h"

#include <new>

#include "app/app_context.h"
#include "imaging/colour_transform.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/translation.h"

namespace lumivane {

namespace {

// The largest display profiles (with tables for every channel) take a few megabytes.
constexpr std::uint32_t profile_file_limit = 16u << 20;

bool read_whole_file(const std::u16string& path, std::vector<std::uint8_t>& bytes) {
    FileHandle file;
    std::uint32_t size = 0;
    if (file_open_read(path, file) || file_size(file, size) || size == 0 || size > profile_file_limit) return true;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        return true;
    }
    std::uint32_t length = size;
    return file_read(file, length, bytes.data()) != ReadResult::Read || length != size;
}

}  // namespace

bool read_monitor_profile_file(UserInterface& ui, const std::u16string& path, std::vector<std::uint8_t>& icc) {
    icc.clear();
    if (read_whole_file(path, icc) || monitor_profile_unusable(icc)) {
        icc.clear();
        error_box(ui, Core::tr("The file %s is not a color profile of a monitor; the monitor profile stays as it was."),
                  path);
        return true;
    }
    return false;
}

void use_monitor_profile(AppContext& context, const std::vector<std::uint8_t>& display_icc) {
    MonitorColour& monitor = context.monitor;
    switch (monitor.profile) {
    case MonitorProfile::Display:
        monitor.icc = display_icc;
        if (display_icc.empty()) {
            warning_box(context.ui, Core::tr("The display has no color profile of its own; pictures are shown in sRGB."));
        } else if (monitor_profile_unusable(display_icc)) {
            monitor.icc.clear();
            warning_box(context.ui, Core::tr("The display's color profile cannot be used; pictures are shown in sRGB."));
        }
        break;
    case MonitorProfile::File:
        if (read_whole_file(monitor.file, monitor.icc) || monitor_profile_unusable(monitor.icc)) {
            monitor.icc.clear();
            warning_box(context.ui, Core::tr("Cannot use the monitor profile %s; pictures are shown in sRGB."),
                        monitor.file);
        }
        break;
    default: monitor.icc = builtin_monitor_profile(monitor.profile); break;
    }
}

}  // namespace lumivane
