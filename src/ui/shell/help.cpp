#include "ui/shell/help.h"

#include <algorithm>

#include "platform/message_boxes.h"
#include "platform/translation.h"
#include "ui/shell/shell_interface.h"

namespace lumivane {

namespace {

const std::vector<HelpTopic> topics = {
    {help_contents_topic, u"index.html"},
    {help_getting_started_topic, u"getting_started.html"},
    {help_main_window_topic, u"main_window.html"},
    {help_slide_properties_topic, u"slide_properties.html"},
    {help_show_properties_topic, u"show_properties.html"},
    {help_key_frames_topic, u"key_frames.html"},
    {help_playback_topic, u"playback.html"},
    {help_preferences_topic, u"preferences.html"},
    {help_index_file_topic, u"index_file.html"},
    {help_updates_topic, u"main_window.html#updates"},
};

}  // namespace

const std::vector<HelpTopic>& help_topics() { return topics; }

const char16_t* help_topic_page(std::int32_t topic) {
    const auto found = std::find_if(topics.begin(), topics.end(), [topic](const HelpTopic& t) { return t.topic == topic; });
    return found == topics.end() ? nullptr : found->page;
}

void open_help(ShellInterface& shell, std::int32_t topic) {
    const char16_t* page = help_topic_page(topic);
    if (!page) {
        error_box(shell, Core::tr("This help topic currently unavailable"));
        return;
    }
    shell.show_help_page(page);
}

}  // namespace lumivane
