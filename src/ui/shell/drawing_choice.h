#pragma once
// Which path draws the playback window's pictures: the graphics processor's or the
// processor's own.

#include <string_view>

#include "app/app_context.h"

namespace lumivane {

// Whether an OpenGL renderer of this name (GL_RENDERER) rasterises on the processor,
// as Mesa's llvmpipe and softpipe do where there is no graphics processor.
bool software_renderer(std::string_view renderer);

// Whether the playback window draws on the graphics processor. Automatic takes it only
// where a context could be made on a real graphics processor: a renderer on the
// processor draws slower than the processor's own path.
bool draws_on_graphics(Drawing drawing, bool context_made, bool software);

}  // namespace lumivane
