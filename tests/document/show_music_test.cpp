#include "document/show_music.h"

#include <gtest/gtest.h>

#include "document/show_index.h"
#include "document/slide_show.h"
#include "document/text_file.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

// The music records are written after the settings and read back as they were; a show
// without music writes none, and the reader takes them in any place among keywords it
// does not know.
TEST(ShowMusic, IndexRecordsReadBackAsWritten) {
    const ShowMusic cases[] = {
        {},
        {{u"song.mp3"}, 100, 2.0},
        {{u"Songs/First \u2034quoted\u2034.flac", u"../beside.ogg", u"/elsewhere/third.wav"}, 35, 0.25},
        {{}, 0, 10.0},
    };
    for (const ShowMusic& music : cases) {
        SlideShow show;
        show.slides.resize(1);
        show.slides[0].frames.resize(1);
        show.music = music;
        const std::vector<std::u16string> lines = show_index_lines(show);
        std::size_t music_lines = 0;
        for (const std::u16string& line : lines) music_lines += line.rfind(u"music", 0) == 0;
        EXPECT_EQ(music_lines, music == ShowMusic{} ? 0u : music.files.size() + 2);

        testing::TempFolder folder;
        std::vector<std::u16string> with_unknown = lines;
        with_unknown.insert(with_unknown.begin() + 2, u"music_tempo 120 \"later\"");
        ASSERT_FALSE(write_text_file(folder.file(u"index.ssi"), with_unknown));
        std::vector<IndexProblem> problems;
        SlideShow back;
        ASSERT_FALSE(read_show_index(back, folder.path(), u"index.ssi", problems));
        EXPECT_EQ(back.music, music);
        EXPECT_TRUE(problems.empty());
    }
}

TEST(ShowMusic, FileNamesRelativeToTheShowFolder) {
    struct Case {
        const char16_t* path;
        const char16_t* name;
    };
    for (const Case c : {Case{u"/p/show/a.mp3", u"a.mp3"}, Case{u"/p/show/sub/a.mp3", u"sub/a.mp3"},
                         Case{u"/p/a.mp3", u"../a.mp3"}, Case{u"/p/other/a.mp3", u"../other/a.mp3"},
                         Case{u"/q/a.mp3", u"/q/a.mp3"}, Case{u"/p/showtime/a.mp3", u"../showtime/a.mp3"}}) {
        EXPECT_EQ(music_file_name(u"/p/show", c.path), c.name);
        EXPECT_EQ(music_file_path(u"/p/show", c.name), c.name[0] == u'/' ? c.name : u"/p/show/" + std::u16string(c.name));
    }
    ShowMusic odd;
    odd.volume = 250;
    odd.fade = -3.0;
    EXPECT_EQ(music_gain(odd), 1.0f);
    EXPECT_EQ(music_fade_seconds(odd), 0.0);
}

}  // namespace
}  // namespace lumivane
