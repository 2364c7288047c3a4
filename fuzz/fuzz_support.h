#pragma once
// Shared pieces of the fuzz targets.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

#include "platform/files.h"
#include "platform/user_interface.h"

namespace lumivane::fuzz {

// Shows nothing: every box gets its first button, every dialog is cancelled.
class SilentUi : public UserInterface {
public:
    BoxAnswer message_box(const std::u16string&, const std::u16string&, BoxButtons buttons, BoxOwner) override {
        return buttons == BoxButtons::YesNoCancel ? BoxAnswer::Yes : BoxAnswer::Ok;
    }
    void update_tool_buttons() override {}
    void set_main_window_title(const std::u16string&) override {}
    void show_status(const std::u16string&) override {}
    void set_status_text(const std::u16string&) override {}
    void hide_status() override {}
    void set_cursor(CursorShape) override {}
    bool shift_held() override { return false; }
    // Every dialog is cancelled.
    bool open_index_file_dialog(std::u16string&, const std::u16string&, const std::u16string&) override {
        return true;
    }
    bool save_index_file_dialog(std::u16string&, const std::u16string&, const std::u16string&,
                                const std::u16string&) override {
        return true;
    }
    bool pick_folder_dialog(std::u16string&, const std::u16string&, const std::u16string&) override { return true; }
    bool pick_image_files_dialog(std::vector<std::u16string>&, const std::u16string&,
                                 const std::u16string&) override {
        return true;
    }
};

// An open file in memory holding the bytes, positioned at the start.
inline FileHandle memory_file(const std::uint8_t* data, std::size_t size) {
    const int descriptor = ::memfd_create("fuzz", MFD_CLOEXEC);
    if (descriptor < 0) return FileHandle();
    FileHandle file(descriptor);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(descriptor, data + done, size - done);
        if (n <= 0) return FileHandle();
        done += static_cast<std::size_t>(n);
    }
    ::lseek(descriptor, 0, SEEK_SET);
    return file;
}

}  // namespace lumivane::fuzz
