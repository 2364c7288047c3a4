#pragma once
// Asking the update server whether a newer version of the program exists.
//
// The server holds a small text file, LMV_Version.txt, and the download page
// ORV_Download.html, at its root:
//
//   Version 1.0
//   major 1
//   minor 0
//   build 16
//   end

#include <cstdint>
#include <string>

#include "platform/translation.h"

namespace lumivane {

struct AppContext;
class ShellInterface;
class UserInterface;

inline constexpr char16_t version_file_name[] = u"LMV_Version.txt";
inline constexpr char16_t download_page_name[] = u"ORV_Download.html";
inline constexpr char16_t update_title[] = LMV_TRANSLATE_NOOP("Core", "Check for Update");
// How long the check waits for the server before it gives up.
inline constexpr std::int32_t update_timeout_milliseconds = 15000;

// The server the program asks, unless LUMIVANE_UPDATE_SERVER names another.
inline constexpr char16_t default_update_server[] = u"http://updates.lumivane.org/";
std::u16string update_server();

// What the version file says. The text stays empty unless the file was read to its
// "end" without a missing quote; numbers it does not name stay 0.
struct LatestVersion {
    std::int32_t major = 0;
    std::int32_t minor = 0;
    std::int32_t build = 0;
    std::u16string text;  // "Lumivane 1.0.16"
};

// Reads a version file's text (which is cut into records in place). The header's
// version number is checked as in the program's other files.
LatestVersion read_version_text(UserInterface& ui, std::u16string& text);

// The Help menu's "Check for Updates": downloads the version file from server into the
// settings folder, reads and deletes it, and tells the user whether this is the latest
// version, offering the download page when it is not. A file that names no version is
// reported as a failed download.
void check_for_update(AppContext& context, ShellInterface& shell, const std::u16string& server,
                      std::int32_t timeout_milliseconds);

}  // namespace lumivane
