#pragma once
// The playback window's picture drawn on the graphics processor: an OpenGL window,
// embedded in the playback window and covering it, that draws the timeline's scene
// (GlSceneRenderer) straight into its own surface; the window around it keeps the keys
// and the mouse. Its own surface, not an OpenGL widget's: a widget draws into a texture
// that the window then composes with its other widgets' pixels, one more full picture
// drawn and copied for every one shown.

#include <QOpenGLWindow>

#include "ui/gl_scene_renderer.h"

namespace lumivane {

class GlPlaybackView : public QOpenGLWindow {
public:
    GlPlaybackView(const SlideShow& show, const PlaybackScene& scene, const Motion& motion);
    ~GlPlaybackView() override;

    // The caption laid over the pictures from the next one on (see set_caption).
    void set_caption(const QImage& caption) { renderer_.set_caption(caption); }

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    const SlideShow& show_;
    const PlaybackScene& scene_;
    const Motion& motion_;
    GlSceneRenderer renderer_;
    bool ready_ = false;
};

// The surface format the graphics processor's path asks for: OpenGL 3.3 core, one
// picture a refresh.
QSurfaceFormat playback_surface_format();

// What the graphics processor's path finds here, found out once, the first time it is
// asked: whether a context of that format that can draw the show can be made, on a
// platform with a screen, and whether its renderer rasterises on the processor.
struct GraphicsDrawing {
    bool available = false;
    bool software = false;
};
const GraphicsDrawing& graphics_drawing();

}  // namespace lumivane
