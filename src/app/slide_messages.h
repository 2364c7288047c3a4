#pragma once
// Messages about the files of many slides at once. A show whose folder lost its
// photographs would otherwise put up one box per slide, thousands of them, which works
// like a hang: the first file of each kind gets its box at once, the others are counted
// and named together in one box when the work is done.

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane {

class UserInterface;

enum class SlideProblem { Missing, Unreadable, Incomplete };

class SlideMessages {
public:
    explicit SlideMessages(UserInterface& ui) : ui_(ui) {}
    SlideMessages(const SlideMessages&) = delete;
    SlideMessages& operator=(const SlideMessages&) = delete;

    void report(SlideProblem problem, const std::u16string& path);
    // One box for each kind that had more files than its first, in the order met.
    void finish();

private:
    struct Others {
        SlideProblem problem;
        std::int32_t count = 0;
        std::vector<std::u16string> named;  // the first few
    };

    UserInterface& ui_;
    std::vector<SlideProblem> seen_;
    std::vector<Others> others_;
};

}  // namespace lumivane
