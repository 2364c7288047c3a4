#include "app/motion_setting.h"

#include "app/app_context.h"
#include "playback/timeline.h"

namespace lumivane {

void set_motion(AppContext& context, Motion motion) {
    context.motion = motion;
    playback_redraw(context.player);
}

}  // namespace lumivane
