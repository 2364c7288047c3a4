#include "video/export_options.h"

#include <algorithm>
#include <cmath>

#include "document/slide_show.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/translation.h"
#include "platform/value_formatter.h"
#include "video/video_format.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace lumivane {

namespace {

// A whole number of at most digits digits, nothing else.
bool parse_count(std::u16string_view text, std::size_t digits, std::int32_t& value) {
    if (text.empty() || text.size() > digits) return true;
    value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') return true;
        value = value * 10 + (c - u'0');
    }
    return false;
}

std::int32_t nearest_even(double x) { return 2 * static_cast<std::int32_t>(std::lround(x / 2.0)); }

bool known_frame_rate(std::int32_t fps) {
    return std::find(std::begin(export_frame_rates), std::end(export_frame_rates), fps) != std::end(export_frame_rates);
}

std::u16string extensions_text() {
    std::vector<const char16_t*> all;
    for (const VideoFormat& format : video_formats()) all.insert(all.end(), format.extensions.begin(), format.extensions.end());
    std::u16string text;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i > 0) text += i + 1 == all.size() ? Core::tr(" or ") : u", ";
        text += all[i];
    }
    return text;
}

std::u16string no_encoder(const char16_t* what) {
    return formatted(Core::tr("The video libraries on this machine have no %s encoder"), what);
}

// The problems of single values, which the command line reports before any work.
std::u16string frame_rate_problem(std::int32_t fps) {
    if (known_frame_rate(fps)) return {};
    return Core::tr("The frame rate must be 24, 25, 30, 50 or 60 frames a second");
}

std::u16string size_problem(std::int32_t width, std::int32_t height) {
    const bool even = width % 2 == 0 && height % 2 == 0;
    if (even && width >= min_video_side && height >= min_video_side && width <= max_video_width &&
        height <= max_video_height) {
        return {};
    }
    return formatted(Core::tr("The video size must be even numbers from %d x %d to %d x %d, such as 1920x1080"),
                     min_video_side, min_video_side, max_video_width, max_video_height);
}

constexpr char16_t motion_problem[] = LMV_TRANSLATE_NOOP("Core", "The motion must be exact or smooth");

std::u16string output_name_problem(const std::u16string& output) {
    if (output.empty()) return Core::tr("Name the video file to write");
    if (video_format_for(output)) return {};
    return formatted(Core::tr("Cannot make a video named %s: the name must end in %s"), output, extensions_text());
}

std::u16string quality_problem(const VideoFormat& format, std::int32_t crf) {
    if (crf >= format.crf_min && crf <= format.crf_max) return {};
    return formatted(Core::tr("The quality (CRF) of a %s video must be from %d to %d"), format.codec_name,
                     format.crf_min, format.crf_max);
}

}  // namespace

VideoSize export_size(const ShowSettings& settings, std::int32_t height) {
    const Proportions p = show_proportions(settings);
    double width = static_cast<double>(height) * p.width / p.height;
    double high = height;
    const double widest = height * 16.0 / 9.0;
    if (width > widest) {
        width = widest;
        high = width * p.height / p.width;
    }
    return {std::max(nearest_even(width), min_video_side), std::max(nearest_even(high), min_video_side)};
}

ExportOptions resolved_export_options(const ShowSettings& settings, const ExportOptions& options) {
    ExportOptions resolved = options;
    if (resolved.width == -1 && resolved.height == -1) {
        const VideoSize size = export_size(settings, 1080);
        resolved.width = size.width;
        resolved.height = size.height;
    }
    const VideoFormat* format = video_format_for(options.output);
    if (resolved.crf < 0 && format) resolved.crf = format->crf_default;
    return resolved;
}

std::u16string default_video_path(const SlideShow& show, const std::u16string& folder) {
    std::u16string name = show.settings.name.empty() ? Core::tr("Slide Show") : show.settings.name;
    for (char16_t& c : name) {
        if (c == path_separator || c < u' ') c = u'_';
    }
    if (name == u"." || name == u"..") name = Core::tr("Slide Show");
    const std::u16string& where = show.show_folder.empty() ? folder : show.show_folder;
    return where + (where.ends_with(path_separator) ? u"" : u"/") + name + u".mp4";
}

std::u16string export_options_problem(const ExportOptions& options) {
    std::u16string problem = frame_rate_problem(options.frames_per_second);
    if (problem.empty()) problem = size_problem(options.width, options.height);
    if (problem.empty() && options.motion != Motion::Exact && options.motion != Motion::Smooth)
        problem = Core::translated(motion_problem);
    if (problem.empty()) problem = output_name_problem(options.output);
    if (!problem.empty()) return problem;
    const VideoFormat* format = video_format_for(options.output);
    if (folder_exists(options.output)) {
        return formatted(Core::tr("Cannot make the video %s: it is a folder"), options.output);
    }
    std::u16string folder = options.output;
    path_folder(folder);
    if (!folder_exists(folder)) {
        return formatted(Core::tr("Cannot make the video %s: the folder %s does not exist"), options.output, folder);
    }
    if (!available_video_encoder(*format)) return no_encoder(format->codec_name);
    problem = quality_problem(*format, options.crf);
    if (!problem.empty()) return problem;
    if (!options.audio.empty()) {
        if (!file_exists(options.audio)) return formatted(Core::tr("The music file %s does not exist"), options.audio);
        if (!avcodec_find_encoder_by_name(format->audio_encoder)) {
            return no_encoder(format->audio_encoder == std::string_view("aac") ? u"AAC" : u"Opus");
        }
    }
    return {};
}

bool parse_video_size(const std::u16string& text, VideoSize& size) {
    const std::size_t x = text.find_first_of(u"xX");
    if (x == std::u16string::npos) return true;
    return parse_count(std::u16string_view(text).substr(0, x), 5, size.width) ||
           parse_count(std::u16string_view(text).substr(x + 1), 5, size.height);
}

bool parse_export_arguments(const std::vector<std::u16string>& arguments, std::u16string& show,
                            ExportOptions& options, std::u16string& message) {
    show.clear();
    message.clear();
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string& name = arguments[i];
        const bool option = name.size() > 1 && name[0] == u'-';
        if (!option) {
            if (!show.empty()) {
                message = formatted(Core::tr("Only one show is exported at a time: %s"), name);
                return true;
            }
            show = name;
            continue;
        }
        if (i + 1 == arguments.size()) {
            message = formatted(Core::tr("%s needs a value"), name);
            return true;
        }
        const std::u16string& value = arguments[++i];
        if (name == u"-o" || name == u"--output") {
            options.output = value;
        } else if (name == u"--audio") {
            options.audio = value;
        } else if (name == u"--size") {
            VideoSize size{};
            if (parse_video_size(value, size)) {
                message = formatted(Core::tr("The video size is width x height, such as 1920x1080, not %s"), value);
                return true;
            }
            message = size_problem(size.width, size.height);
            options.width = size.width;
            options.height = size.height;
        } else if (name == u"--fps") {
            if (parse_count(value, 3, options.frames_per_second)) options.frames_per_second = 0;
            message = frame_rate_problem(options.frames_per_second);
        } else if (name == u"--crf") {
            if (parse_count(value, 3, options.crf)) {
                message = formatted(Core::tr("The quality (CRF) is a whole number, not %s"), value);
                return true;
            }
        } else if (name == u"--motion") {
            if (value == u"exact") {
                options.motion = Motion::Exact;
            } else if (value == u"smooth") {
                options.motion = Motion::Smooth;
            } else {
                message = Core::translated(motion_problem);
            }
        } else {
            message = formatted(Core::tr("Unknown option: %s"), name);
            return true;
        }
        if (!message.empty()) return true;
    }
    if (show.empty()) {
        message = Core::tr("Name the show to export: lumivane --export SHOW -o VIDEO.mp4");
        return true;
    }
    if (options.output.empty()) {
        message = Core::tr("Name the video file to write with -o, such as -o show.mp4");
        return true;
    }
    message = output_name_problem(options.output);
    if (message.empty() && options.crf >= 0) message = quality_problem(*video_format_for(options.output), options.crf);
    return !message.empty();
}

}  // namespace lumivane
