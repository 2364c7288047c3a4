#include "ui/shell/show_properties.h"

#include "app/app_context.h"
#include "document/number_parsing.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"
#include "platform/translation.h"
#include "platform/value_formatter.h"
#include "playback/playback_window.h"
#include "playback/timeline.h"

namespace lumivane {

namespace {

// A list's row for a value (a number or a setting's enum), or -1 when the list has no such row.
template <typename T>
std::int32_t row_of(T value, std::int32_t rows) {
    const auto row = static_cast<std::int32_t>(value);
    return row >= 0 && row < rows ? row : -1;
}

// A list without a choice leaves its setting as it was.
template <typename T>
void take_row(std::int32_t row, T& setting, std::int32_t offset = 0) {
    if (row >= 0) setting = static_cast<T>(row + offset);
}

bool read_proportion(AppContext& context, const std::u16string& text, std::int32_t& setting,
                     const std::u16string& message) {
    const std::u16string read = cut_text(text, properties_text_limit);
    std::int32_t value = 0;
    if (parse_int(read, value) || value < 1 || value > max_proportion) {
        error_box(context.ui, message, read);
        return true;
    }
    setting = value;
    return false;
}

bool read_seconds(AppContext& context, const std::u16string& text, double limit, double& setting,
                  const std::u16string& message) {
    const std::u16string read = cut_text(text, properties_text_limit);
    double value = 0.0;
    if (parse_real(read, value) || !(value >= 0.0 && value <= limit)) {
        error_box(context.ui, message, read);
        return true;
    }
    setting = value;
    return false;
}

// Whether the show differs from its settings at opening in anything the index file keeps.
bool settings_changed(const ShowSettings& now, const ShowSettings& before) {
    return now.show_captions != before.show_captions || now.loop != before.loop || now.autorun != before.autorun ||
           now.size != before.size || now.proportions_width != before.proportions_width ||
           now.proportions_height != before.proportions_height || now.default_style != before.default_style ||
           now.default_delay != before.default_delay || now.transition != before.transition ||
           now.transition_time != before.transition_time || now.name != before.name;
}

// The playback window's shape follows its size and, in a window, the proportions.
bool window_shape_changed(const ShowSettings& now, const ShowSettings& before) {
    if (now.size != before.size) return true;
    const bool windowed = now.size >= 1 && now.size <= max_window_size;
    return windowed && (now.proportions_width != before.proportions_width ||
                        now.proportions_height != before.proportions_height);
}

}  // namespace

ShowPropertiesForm show_properties_form(const ShowSettings& settings) {
    ShowPropertiesForm form;
    form.name = settings.name;
    form.proportions_width = formatted(u"%d", settings.proportions_width);
    form.proportions_height = formatted(u"%d", settings.proportions_height);
    form.loop = settings.loop == 1;
    form.autorun = row_of(settings.autorun, autorun_rows);
    form.speed = row_of(settings.speed + 2, speed_rows);
    form.size = row_of(settings.size, size_rows);
    form.show_captions = row_of(settings.show_captions, caption_rows);
    form.default_style = settings.default_style == SlideStyle::Fit    ? 0
                         : settings.default_style == SlideStyle::Crop ? 1
                                                                      : -1;
    form.default_delay = formatted(u"%2f", settings.default_delay);
    form.transition = row_of(settings.transition, transition_rows);
    form.transition_time = formatted(u"%2f", settings.transition_time);
    return form;
}

ShowPropertiesOpening begin_show_properties(AppContext& context) {
    stop_show(context.player, false);
    return {context.show.settings, context.show.modified};
}

bool take_show_properties(AppContext& context, const ShowPropertiesForm& form,
                          const ShowPropertiesOpening& at_opening) {
    ShowSettings& s = context.show.settings;
    if (read_proportion(context, form.proportions_width, s.proportions_width,
                        Core::tr("Illegal proportions width: %s")) ||
        read_proportion(context, form.proportions_height, s.proportions_height,
                        Core::tr("Illegal proportions height: %s")) ||
        read_seconds(context, form.default_delay, max_default_delay, s.default_delay, Core::tr("Illegal delay: %s"))) {
        return true;
    }
    s.name = cut_text(form.name, properties_text_limit);
    if (context.playback.window) context.playback.window->set_title(s.name);
    s.loop = form.loop ? 1 : 0;
    take_row(form.size, s.size);
    take_row(form.autorun, s.autorun);
    take_row(form.show_captions, s.show_captions);
    if (form.speed >= 0) set_speed(context.show, form.speed - 2);
    take_row(form.default_style, s.default_style, static_cast<std::int32_t>(SlideStyle::Fit));
    take_row(form.transition, s.transition);
    if (read_seconds(context, form.transition_time, max_transition_time, s.transition_time,
                     Core::tr("Illegal transition time: %s"))) {
        return true;
    }
    context.show.modified = at_opening.modified || settings_changed(s, at_opening.settings);
    return false;
}

bool accept_show_properties(AppContext& context, const ShowPropertiesForm& form,
                            const ShowPropertiesOpening& at_opening) {
    if (take_show_properties(context, form, at_opening)) return true;
    if (window_shape_changed(context.show.settings, at_opening.settings)) recreate_playback_window(context.player);
    return false;
}

bool save_show_properties_as_default(AppContext& context, const ShowPropertiesForm& form,
                                     const ShowPropertiesOpening& at_opening) {
    if (take_show_properties(context, form, at_opening)) return true;
    context.default_settings = context.show.settings;
    return false;
}

void cancel_show_properties(AppContext& context, const ShowPropertiesOpening& at_opening) {
    context.show.settings = at_opening.settings;
    context.show.modified = at_opening.modified;
    set_speed(context.show, at_opening.settings.speed);
    if (context.playback.window) context.playback.window->set_title(at_opening.settings.name);
}

}  // namespace lumivane
