#pragma once
// What the "Slide Show Properties" dialog does, without the dialog: the values its
// controls show for the open show, and taking them back into the show on OK and
// "Save as Default", checked field by field in the order the dialog reads them.

#include <cstdint>
#include <string>

#include "document/slide_show.h"

namespace lumivane {

struct AppContext;

// The dialog's controls: the texts of its edits and the rows chosen in its lists, -1
// for a list without a choice. The lists' rows are the settings' values, except the
// speed (row = speed + 2) and the default style (row 0 "Fit", 1 "Crop").
struct ShowPropertiesForm {
    std::u16string name;
    std::u16string proportions_width;
    std::u16string proportions_height;
    bool loop = false;
    std::int32_t autorun = -1;
    std::int32_t speed = -1;
    std::int32_t size = -1;
    std::int32_t show_captions = -1;
    std::int32_t default_style = -1;
    std::u16string default_delay;
    std::int32_t transition = -1;
    std::u16string transition_time;
};

// Rows in each list, and the most characters the edits read.
inline constexpr std::int32_t autorun_rows = 3;
inline constexpr std::int32_t speed_rows = 5;
inline constexpr std::int32_t size_rows = 9;
inline constexpr std::int32_t caption_rows = 4;
inline constexpr std::int32_t transition_rows = 4;
inline constexpr std::int32_t properties_text_limit = 254;

ShowPropertiesForm show_properties_form(const ShowSettings& settings);

// What the dialog remembers at opening: the settings to restore on Cancel and to find
// changes against, and whether the show was modified then.
struct ShowPropertiesOpening {
    ShowSettings settings;
    bool modified = false;
};

// Opening: stops the show and remembers it as it is.
ShowPropertiesOpening begin_show_properties(AppContext& context);

// Takes the form's values into the open show. The first wrong field is reported in an
// error box and ends the taking; the fields before it stay in effect. The show is
// modified when it was at opening or its settings now differ from those at opening (the
// speed does not count), so values taken and then put back leave it as it was. True on
// failure.
[[nodiscard]] bool take_show_properties(AppContext& context, const ShowPropertiesForm& form,
                          const ShowPropertiesOpening& at_opening);
// OK: takes the values; a playback window whose shape has changed is made again.
[[nodiscard]] bool accept_show_properties(AppContext& context, const ShowPropertiesForm& form,
                            const ShowPropertiesOpening& at_opening);
// "Save as Default": takes the values and makes them the settings for new shows.
[[nodiscard]] bool save_show_properties_as_default(AppContext& context, const ShowPropertiesForm& form,
                                     const ShowPropertiesOpening& at_opening);
// Cancel: every setting as it was at opening, the speed factor with them, and the
// modified flag: values taken by "Save as Default" no longer count as a change.
void cancel_show_properties(AppContext& context, const ShowPropertiesOpening& at_opening);

}  // namespace lumivane
