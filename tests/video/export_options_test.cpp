#include "video/export_options.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "document/slide_show.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::u16;
using testing::u8;

TEST(ExportOptions, SizeFollowsTheShowsProportionsWithinFullHd) {
    struct Case {
        std::int32_t p, q, height, width, expected_height;
    };
    const Case cases[] = {
        {16, 9, 1080, 1920, 1080}, {4, 3, 1080, 1440, 1080}, {12, 5, 1080, 1920, 800},  {9, 16, 1080, 608, 1080},
        {16, 9, 480, 854, 480},    {1, 1, 2160, 2160, 2160}, {10000, 1, 1080, 1920, 32}, {0, 0, 720, 1280, 720},
    };
    for (const Case& c : cases) {
        ShowSettings settings;
        settings.proportions_width = c.p;
        settings.proportions_height = c.q;
        const VideoSize size = export_size(settings, c.height);
        EXPECT_EQ(size.width, c.width) << c.p << ":" << c.q << " at " << c.height;
        EXPECT_EQ(size.height, c.expected_height) << c.p << ":" << c.q << " at " << c.height;
    }
}

TEST(ExportOptions, CommandLine) {
    struct Case {
        std::vector<const char*> arguments;
        const char* error;  // part of the message, or none
    };
    const Case cases[] = {
        {{"show", "-o", "out.mp4", "--size", "1280x720", "--fps", "25", "--crf", "18", "--motion", "smooth",
          "--audio", "song.mp3"},
         nullptr},
        {{"-o", "out.mp4"}, "Name the show"},
        {{"show"}, "with -o"},
        {{"show", "other", "-o", "a.mp4"}, "one show"},
        {{"show", "-o"}, "-o needs a value"},
        {{"show", "-o", "a.mp4", "--size", "1280 by 720"}, "width x height"},
        {{"show", "-o", "a.mp4", "--size", "123456x2"}, "width x height"},
        {{"show", "-o", "a.mp4", "--crf", "-3"}, "whole number"},
        // Values no export takes fail with the command line.
        {{"show", "-o", "a.mp4", "--fps", "abc"}, "24, 25, 30, 50 or 60"},
        {{"show", "-o", "a.mp4", "--fps", "29"}, "24, 25, 30, 50 or 60"},
        {{"show", "-o", "a.mp4", "--size", "1281x720"}, "even numbers"},
        {{"show", "-o", "a.mp4", "--motion", "fast"}, "exact or smooth"},
        {{"show", "-o", "a.avi"}, "must end in .mp4"},
        {{"show", "-o", "a.mp4", "--crf", "52"}, "from 0 to 51"},
        {{"show", "-o", "a.mp4", "--speed", "2"}, "Unknown option: --speed"},
    };
    for (const Case& c : cases) {
        std::vector<std::u16string> arguments;
        for (const char* a : c.arguments) arguments.push_back(u16(a));
        std::u16string show, message;
        ExportOptions options;
        const bool failed = parse_export_arguments(arguments, show, options, message);
        EXPECT_EQ(failed, c.error != nullptr) << c.arguments.size() << " " << u8(message);
        if (c.error) {
            EXPECT_NE(message.find(u16(c.error)), std::u16string::npos) << u8(message);
        }
    }
    // The first case, in full.
    std::vector<std::u16string> arguments;
    for (const char* a : cases[0].arguments) arguments.push_back(u16(a));
    std::u16string show, message;
    ExportOptions options;
    ASSERT_FALSE(parse_export_arguments(arguments, show, options, message));
    EXPECT_EQ(show, u"show");
    EXPECT_EQ(options.output, u"out.mp4");
    EXPECT_EQ(options.width, 1280);
    EXPECT_EQ(options.height, 720);
    EXPECT_EQ(options.frames_per_second, 25);
    EXPECT_EQ(options.crf, 18);
    EXPECT_EQ(options.motion, Motion::Smooth);
    EXPECT_EQ(options.audio, u"song.mp3");
}

TEST(ExportOptions, ProblemsAreFoundBeforeAnyWork) {
    testing::TempFolder folder;
    const std::u16string video = folder.file(u"show.mp4");
    folder.write("song.mp3", "x");
    struct Case {
        const char* name;
        void (*change)(ExportOptions&);
        const char* problem;  // part of the message, or none
    };
    const Case cases[] = {
        {"fine", [](ExportOptions&) {}, nullptr},
        {"0x0", [](ExportOptions& o) { o.width = o.height = 0; }, "even numbers from 32 x 32"},
        {"odd", [](ExportOptions& o) { o.width = 1921; }, "even numbers"},
        {"too large", [](ExportOptions& o) { o.height = 4322; }, "to 7680 x 4320"},
        {"frame rate", [](ExportOptions& o) { o.frames_per_second = 29; }, "24, 25, 30, 50 or 60"},
        {"quality", [](ExportOptions& o) { o.crf = 52; }, "H.264 video must be from 0 to 51"},
        {"motion", [](ExportOptions& o) { o.motion = static_cast<Motion>(2); }, "exact or smooth"},
        {"no name", [](ExportOptions& o) { o.output.clear(); }, "Name the video"},
        {"extension", [](ExportOptions& o) { o.output += u".avi"; }, "must end in .mp4, .m4v, .webm or .mkv"},
        {"capitals", [](ExportOptions& o) { o.output.replace(o.output.size() - 3, 3, u"MP4"); }, nullptr},
        {"AV1", [](ExportOptions& o) { o.output = o.output.substr(0, o.output.rfind(u'/')) + u"/x.mkv"; }, nullptr},
        {"missing folder", [](ExportOptions& o) { o.output.insert(o.output.rfind(u'/'), u"/gone"); }, "does not exist"},
        {"music missing", [](ExportOptions& o) { o.audio = o.output + u".ogg"; }, "music file"},
        {"music", [](ExportOptions& o) { o.audio = o.output.substr(0, o.output.rfind(u'/')) + u"/song.mp3"; }, nullptr},
    };
    for (const Case& c : cases) {
        ExportOptions options;
        options.output = video;
        options.width = 1280;
        options.height = 720;
        options.crf = 20;
        c.change(options);
        const std::u16string problem = export_options_problem(options);
        if (c.problem) {
            EXPECT_NE(problem.find(u16(c.problem)), std::u16string::npos) << c.name << ": " << u8(problem);
        } else {
            EXPECT_EQ(problem, u"") << c.name;
        }
    }
    ExportOptions folder_named;
    folder_named.output = folder.file(u"folder.mp4");
    std::filesystem::create_directory(folder.native_file("folder.mp4"));
    folder_named.width = 64;
    folder_named.height = 64;
    folder_named.crf = 20;
    EXPECT_NE(export_options_problem(folder_named).find(u"is a folder"), std::u16string::npos);
}

}  // namespace
}  // namespace lumivane
