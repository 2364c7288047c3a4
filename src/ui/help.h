#pragma once
// The program's help: HTML pages shipped in the "help" folder of its resources, each
// reached by a topic number. Topic 10 is the contents page.

#include <cstdint>
#include <vector>

namespace lumivane {

struct AppContext;

inline constexpr std::int32_t help_contents_topic = 10;
// A place that has no page of its own.
inline constexpr std::int32_t help_no_topic = -1;

struct HelpTopic {
    std::int32_t topic;
    const char16_t* page;  // file name in the help folder, with an anchor where it has one
};
const std::vector<HelpTopic>& help_topics();

// The page of a topic, or none for a topic without one.
const char16_t* help_topic_page(std::int32_t topic);

// Opens the help window at the topic's page; a topic without a page reports "This help
// topic currently unavailable".
void open_help(AppContext& context, std::int32_t topic);

}  // namespace lumivane
