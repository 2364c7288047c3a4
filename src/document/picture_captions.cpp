#include "document/picture_captions.h"

#include "platform/paths.h"
#include "platform/picture_metadata.h"

namespace lumivane {

std::u16string new_slide_caption(std::int32_t source, const std::u16string& path) {
    std::u16string name = path_file_name(path);
    if (source == caption_file_name) return name;
    PictureCaptionFields fields;
    if (picture_caption_fields(path, fields)) return name;
    const std::u16string& field = source == caption_title         ? fields.title
                                  : source == caption_description ? fields.description
                                                                  : fields.date_taken;
    return field.empty() ? name : field;
}

}  // namespace lumivane
