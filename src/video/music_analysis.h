#pragma once
// What timing slides to a show's music needs to know of it: how long its files last
// together, and where its beats fall (found with aubio's tempo tracking). The files are
// decoded once, through to their ends.

#include <string>
#include <vector>

namespace lumivane {

struct MusicAnalysis {
    double seconds = 0.0;       // the files one after another
    std::vector<double> beats;  // seconds from the first file's start, in order
};

// Decodes every file; beats only when asked. True on failure, with the message naming
// the file that cannot be played.
[[nodiscard]] bool analyse_music(const std::vector<std::u16string>& paths, bool find_beats, MusicAnalysis& analysis,
                                 std::u16string& message);

}  // namespace lumivane
