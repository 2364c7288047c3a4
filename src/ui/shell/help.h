#pragma once
// The program's help: HTML pages shipped in the "help" folder of its resources, each
// reached by a topic number. Topic 10 is the contents page.

#include <cstdint>
#include <vector>

namespace lumivane {

class ShellInterface;

// The topics, one per page; the windows open their own page.
enum HelpTopicId : std::int32_t {
    help_no_topic = -1,  // a place that has no page of its own
    help_contents_topic = 10,
    help_getting_started_topic = 20,
    help_main_window_topic = 30,
    help_slide_properties_topic = 40,
    help_show_properties_topic = 50,
    help_key_frames_topic = 60,
    help_playback_topic = 70,
    help_preferences_topic = 80,
    help_index_file_topic = 90,
    help_updates_topic = 100,
};

struct HelpTopic {
    std::int32_t topic;
    const char16_t* page;  // file name in the help folder, with an anchor where it has one
};
const std::vector<HelpTopic>& help_topics();

// The page of a topic, or none for a topic without one.
const char16_t* help_topic_page(std::int32_t topic);

// Opens the help window at the topic's page; a topic without a page reports "This help
// topic currently unavailable".
void open_help(ShellInterface& shell, std::int32_t topic);

}  // namespace lumivane
