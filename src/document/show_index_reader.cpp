#include "document/show_index.h"

#include <new>

#include "document/number_parsing.h"
#include "document/record_tokenizer.h"
#include "document/setting_records.h"
#include "document/slide_show.h"
#include "document/text_file.h"
#include "document/version_check.h"
#include "platform/paths.h"

namespace lumivane {

namespace {

std::int32_t integer(const std::u16string& token) {
    std::int32_t value = 0;
    parse_int(token, value);  // the file's value as far as it converts
    return value;
}

double real(const std::u16string& token) {
    double value = 0.0;
    parse_real(token, value);
    return value;
}

enum class LineResult { Next, Failed, End };

class IndexReader {
public:
    IndexReader(SlideShow& show, std::vector<IndexProblem>& problems) : show_(show), problems_(problems) {}

    LineResult read(const std::vector<std::u16string>& t) {
        const std::u16string& keyword = t[0];
        const auto n = t.size();
        ShowSettings& s = show_.settings;
        if (keyword == u"end") return LineResult::End;
        // A line with fewer arguments than its keyword takes is outside the format.
        if (const auto setting = show_setting_named(keyword, SettingsFile::Index)) {
            read_setting(s, *setting, t, SettingsFile::Index);
            if (setting == ShowSetting::Speed && n >= 2) set_speed(show_, s.speed);
        } else if (keyword == u"music" && n >= 2) {
            show_.music.files.push_back(cut_text(t[1], path_limit));
        } else if (keyword == u"music_volume" && n >= 2) {
            show_.music.volume = integer(t[1]);
        } else if (keyword == u"music_fade" && n >= 2) {
            show_.music.fade = real(t[1]);
        } else if (keyword == u"n_slides" && n >= 2) {
            return read_slide_count(integer(t[1]));
        } else if (keyword == u"slide" && n >= 7) {
            return read_slide(t);
        } else if (keyword == u"frame" && n >= 8) {
            read_frame(t);
        }
        return LineResult::Next;
    }

private:
    LineResult read_slide_count(std::int32_t count) {
        if (count < 1 || count > max_slides) {
            return failed(IndexProblemKind::IllegalSlideCount, count);
        }
        // Only the first count of a file makes the slides; a second one is outside the format.
        if (counted_) return LineResult::Next;
        counted_ = true;
        try {
            show_.slides = std::vector<Slide>(static_cast<std::size_t>(count));
        } catch (const std::bad_alloc&) {
            return failed(IndexProblemKind::CannotAllocate);
        }
        return LineResult::Next;
    }

    Slide* slide_at(const std::u16string& token) {
        const std::int32_t index = integer(token);
        if (index < 0 || index >= show_.slide_count()) return nullptr;
        return &show_.slides[static_cast<std::size_t>(index)];
    }

    LineResult read_slide(const std::vector<std::u16string>& t) {
        Slide* slide = slide_at(t[1]);
        if (!slide) return LineResult::Next;
        const std::int32_t frames = integer(t[4]);
        if (frames < 1 || frames > max_frames) {
            return failed(IndexProblemKind::IllegalFrameCount, frames);
        }
        slide->style = static_cast<SlideStyle>(integer(t[2]));
        slide->interpolation = static_cast<Interpolation>(integer(t[3]));
        try {
            slide->frames.assign(static_cast<std::size_t>(frames), PanFrame{});
        } catch (const std::bad_alloc&) {
            return failed(IndexProblemKind::CannotAllocate);
        }
        slide->caption = cut_text(t[5], max_caption_length);
        slide->file = cut_text(t[6], path_limit);
        return LineResult::Next;
    }

    void read_frame(const std::vector<std::u16string>& t) {
        Slide* slide = slide_at(t[1]);
        if (!slide) return;
        const std::int32_t index = integer(t[2]);
        if (index < 0 || index >= slide->frame_count()) return;
        PanFrame& frame = slide->frames[static_cast<std::size_t>(index)];
        frame.delay = real(t[3]);
        frame.left = real(t[4]);
        frame.top = real(t[5]);
        frame.right = real(t[6]);
        frame.bottom = real(t[7]);
    }

    LineResult failed(IndexProblemKind kind, std::int32_t value = 0) {
        problems_.push_back({kind, value});
        return LineResult::Failed;
    }

    SlideShow& show_;
    std::vector<IndexProblem>& problems_;
    bool counted_ = false;
};

void tokenize(TokenRecord& record, std::u16string_view line, std::vector<IndexProblem>& problems) {
    if (tokenize_line(record, line)) problems.push_back({IndexProblemKind::MissingQuote});
}

bool read_records(SlideShow& show, const std::u16string& path, std::vector<IndexProblem>& problems) {
    FileHandle file;
    std::u16string text;
    if (file_open_read(path, file) || read_text_file(std::move(file), text)) return true;

    std::size_t position = 0;
    std::u16string_view line;
    TokenRecord record;
    if (next_record_line(text, position, line)) return true;
    tokenize(record, line, problems);
    if (record.count() != 2 || record.tokens[0] != u"SlideShow") return true;
    const VersionDifference version = version_difference(record.tokens[1], 1.0);
    if (version != VersionDifference::Same) problems.push_back({IndexProblemKind::Version, 0, version});

    IndexReader reader(show, problems);
    while (!next_record_line(text, position, line)) {
        tokenize(record, line, problems);
        if (record.count() == 0) continue;
        switch (reader.read(record.tokens)) {
        case LineResult::Next: break;
        case LineResult::Failed: return true;
        case LineResult::End:
            show.index_path = path;
            return false;
        }
    }
    // Read to its last line without "end": the show is there, but the file is not
    // remembered as its index.
    return false;
}

}  // namespace

bool read_show_index(SlideShow& show, const std::u16string& folder, const std::u16string& name,
                     std::vector<IndexProblem>& problems) {
    std::u16string path;
    if (path_join(path, folder, name)) {
        problems.push_back({IndexProblemKind::PathTooLong});
        return true;
    }
    return read_records(show, path, problems);
}

}  // namespace lumivane
