#pragma once
// The show named on the program's command line, or passed on by a second start.

#include <string>
#include <vector>

namespace lumivane {

struct AppContext;

// The first argument, cut to the path limit, without one pair of surrounding
// quotation marks; empty when there is none.
std::u16string show_path_argument(const std::vector<std::u16string>& arguments);

// A command line as one text, each argument quoted, as a second start passes it on.
std::u16string command_line_text(const std::vector<std::u16string>& arguments);
// The show path of such a text: its first token, as show_path_argument takes it.
std::u16string show_path_of_text(AppContext& context, const std::u16string& text);

// The "cmdline" file a second start leaves in the settings folder: the text as 16-bit
// little-endian characters ending with a NUL, without a byte order mark. Reading stops at
// the first NUL. Only the user may read the file. Both true on failure.
inline constexpr char16_t command_line_file_name[] = u"cmdline";
[[nodiscard]] bool write_command_line_file(const std::u16string& path, const std::u16string& text);
[[nodiscard]] bool read_command_line_file(const std::u16string& path, std::u16string& text);

enum class CommandLineOpen { Nothing, Opened, Failed, Cancelled };

// Opens the show at path:
// - an index file (a name ending ".ssi", letter case counting);
// - a folder: its "index.ssi" (the user may choose to build a new one instead), or a
//   new index of its pictures when it has none;
// - anything else: a folder the user picks (Cancelled when the user does not).
// Reports "Cannot open slide show: <folder>/<name>" when it cannot be read (Failed),
// and loads the show's pictures when it can. An empty path opens nothing.
CommandLineOpen open_command_line_show(AppContext& context, const std::u16string& path);

}  // namespace lumivane
