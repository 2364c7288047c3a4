#include "document/show_index.h"

#include <initializer_list>

#include "document/picture_captions.h"
#include "document/record_tokenizer.h"
#include "document/setting_records.h"
#include "document/slide_show.h"
#include "document/text_file.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"

namespace lumivane {

namespace {

// The settings' lines in the order given.
void add_settings(std::vector<std::u16string>& lines, const ShowSettings& s, std::initializer_list<ShowSetting> which) {
    for (const ShowSetting setting : which) lines.push_back(setting_line(s, setting, SettingsFile::Index));
}

}  // namespace

std::vector<std::u16string> show_index_lines(const SlideShow& show) {
    const ShowSettings& s = show.settings;
    std::vector<std::u16string> lines = {u"SlideShow 1.0"};
    add_settings(
        lines, s,
        {ShowSetting::Name, ShowSetting::Proportions, ShowSetting::ShowCaptions, ShowSetting::Size, ShowSetting::Loop});
    lines.push_back(formatted(u"n_slides %d", show.slide_count()));
    add_settings(lines, s,
                 {ShowSetting::Autorun, ShowSetting::DefaultStyle, ShowSetting::DefaultDelay, ShowSetting::Transition,
                  ShowSetting::TransitionTime});
    // A show without music is written as before.
    const ShowMusic& music = show.music;
    for (const std::u16string& file : music.files) lines.push_back(u"music " + quoted_token(file, triple_prime));
    if (music != ShowMusic{}) {
        lines.push_back(formatted(u"music_volume %d", music.volume));
        lines.push_back(formatted(u"music_fade %2zf", music.fade));
    }
    for (std::int32_t i = 0; i < show.slide_count(); ++i) {
        const Slide& slide = show.slides[static_cast<std::size_t>(i)];
        lines.push_back(formatted(u"slide %d %d %d %d %s %s", i, slide.style, slide.interpolation, slide.frame_count(),
                                  quoted_token(slide.caption, triple_prime), quoted_token(slide.file, triple_prime)));
        for (std::int32_t k = 0; k < slide.frame_count(); ++k) {
            const PanFrame& f = slide.frames[static_cast<std::size_t>(k)];
            lines.push_back(formatted(u"frame %d %d %4zf %4zf %4zf %4zf %4zf", i, k, f.delay, f.left, f.top, f.right,
                                      f.bottom));
        }
    }
    lines.push_back(u"end");
    return lines;
}

bool write_new_index(const ShowSettings& s, CaptionSource caption_source, const std::u16string& index_path,
                     const std::u16string& show_folder, const std::vector<std::u16string>& image_names) {
    const auto count = static_cast<std::int32_t>(image_names.size());
    std::vector<std::u16string> lines = {u"SlideShow 1.0"};
    add_settings(lines, s, {ShowSetting::Proportions});
    lines.push_back(formatted(u"n_slides %d", count));
    add_settings(lines, s, {ShowSetting::Autorun, ShowSetting::ShowCaptions, ShowSetting::Loop, ShowSetting::Size});
    // A new show is named after its folder.
    lines.push_back(std::u16string(setting_keyword(ShowSetting::Name, SettingsFile::Index)) + u" " +
                    quoted_token(show_folder, quotation_mark));
    add_settings(
        lines, s,
        {ShowSetting::DefaultStyle, ShowSetting::DefaultDelay, ShowSetting::Transition, ShowSetting::TransitionTime});
    for (std::int32_t i = 0; i < count; ++i) {
        const std::u16string& file = image_names[static_cast<std::size_t>(i)];
        const std::u16string caption =
            cut_text(new_slide_caption(caption_source, show_folder + u"/" + file), max_caption_length);
        lines.push_back(formatted(u"slide %d 0 1 1 %s %s", i, quoted_token(caption, quotation_mark),
                                  quoted_token(file, quotation_mark)));
        lines.push_back(formatted(u"frame %d 0 -1.0 0.0 0.0 1.0 1.0", i));
    }
    lines.push_back(u"end");
    return write_text_file(index_path, lines);
}

}  // namespace lumivane
