#pragma once
// The playback window's picture drawn on the graphics processor: an OpenGL widget that
// covers the window and draws the timeline's scene (GlSceneRenderer). The window above
// it keeps the keys and the mouse.

#include <QOpenGLWidget>

#include "ui/gl_scene_renderer.h"

namespace lumivane {

class GlPlaybackView : public QOpenGLWidget {
public:
    GlPlaybackView(const SlideShow& show, const PlaybackScene& scene, const Motion& motion, QWidget* parent);
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

// Whether a context of that format that can draw the show can be made here, on a
// platform with a screen; found out once, the first time it is asked.
bool graphics_drawing_available();

}  // namespace lumivane
