#include "app/slide_messages.h"

#include <algorithm>

#include "platform/message_boxes.h"
#include "platform/translation.h"

namespace lumivane {

namespace {

// Paths a box lists before it only counts the rest.
constexpr std::size_t listed_paths = 10;

struct ProblemTexts {
    const char16_t* title;
    std::u16string first;   // the box of the first file, with its path
    std::u16string others;  // the heading of the box that names the others, with their count
};

ProblemTexts texts(SlideProblem problem) {
    switch (problem) {
    case SlideProblem::Missing:
        return {error_title, Core::tr("Slide file does not exist: %s"),
                Core::tr("More slide files do not exist (%d):")};
    case SlideProblem::Unreadable:
        return {error_title, Core::tr("Error reading slide file: %s"),
                Core::tr("More slide files could not be read (%d):")};
    case SlideProblem::Incomplete:
        return {warning_title,
                Core::tr("Slide file is damaged or incomplete; the missing part of the picture is black: %s"),
                Core::tr(
                    "More slide files are damaged or incomplete (%d); the missing parts of their pictures are black:")};
    case SlideProblem::NoSmoothMotion:
        return {warning_title,
                Core::tr("Not enough memory for smooth motion; this picture moves with less filtering: %s"),
                Core::tr("More pictures have no memory for smooth motion (%d); they move with less filtering:")};
    }
    return {};
}

}  // namespace

void SlideMessages::report(SlideProblem problem, const std::u16string& path) {
    const ProblemTexts text = texts(problem);
    if (std::find(seen_.begin(), seen_.end(), problem) == seen_.end()) {
        seen_.push_back(problem);
        ui_.message_box(Core::translated(text.title), formatted(text.first, path), BoxButtons::Ok, BoxOwner::None);
        return;
    }
    auto others = std::find_if(others_.begin(), others_.end(), [problem](const Others& o) { return o.problem == problem; });
    if (others == others_.end()) others = others_.insert(others_.end(), Others{problem, 0, {}});
    ++others->count;
    if (others->named.size() < listed_paths) others->named.push_back(path);
}

void SlideMessages::finish() {
    for (const Others& others : others_) {
        const ProblemTexts text = texts(others.problem);
        std::u16string message = formatted(text.others, others.count);
        for (const std::u16string& path : others.named) message += u"\n" + path;
        const auto unnamed = others.count - static_cast<std::int32_t>(others.named.size());
        if (unnamed > 0) message += formatted(Core::tr("\nand %d more"), unnamed);
        ui_.message_box(Core::translated(text.title), message, BoxButtons::Ok, BoxOwner::None);
    }
    others_.clear();
}

}  // namespace lumivane
