#include "document/picture_captions.h"

#include "platform/paths.h"
#include "platform/picture_metadata.h"

namespace lumivane {

std::u16string new_slide_caption(CaptionSource source, const std::u16string& path) {
    std::u16string name = path_file_name(path);
    if (source == CaptionSource::FileName) return name;
    PictureCaptionFields fields;
    if (picture_caption_fields(path, fields)) return name;
    const std::u16string& field = source == CaptionSource::Title         ? fields.title
                                  : source == CaptionSource::Description ? fields.description
                                                                         : fields.date_taken;
    return field.empty() ? name : field;
}

}  // namespace lumivane
