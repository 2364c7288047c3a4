#include "ui/help.h"

#include <algorithm>

#include "document/app_context.h"
#include "document/message_boxes.h"

namespace lumivane {

namespace {

const std::vector<HelpTopic> topics = {
    {help_contents_topic, u"index.html"},
    {20, u"getting_started.html"},
    {30, u"main_window.html"},
    {40, u"slide_properties.html"},
    {50, u"show_properties.html"},
    {60, u"key_frames.html"},
    {70, u"playback.html"},
    {80, u"preferences.html"},
    {90, u"index_file.html"},
    {100, u"main_window.html#updates"},
};

}  // namespace

const std::vector<HelpTopic>& help_topics() { return topics; }

const char16_t* help_topic_page(std::int32_t topic) {
    const auto found = std::find_if(topics.begin(), topics.end(), [topic](const HelpTopic& t) { return t.topic == topic; });
    return found == topics.end() ? nullptr : found->page;
}

void open_help(AppContext& context, std::int32_t topic) {
    const char16_t* page = help_topic_page(topic);
    if (!page) {
        error_box(context.ui, u"This help topic currently unavailable");
        return;
    }
    context.ui.show_help_page(page);
}

}  // namespace lumivane
