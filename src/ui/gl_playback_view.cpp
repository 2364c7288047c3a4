#include "ui/gl_playback_view.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include "ui/shell/drawing_choice.h"

namespace lumivane {

GlPlaybackView::GlPlaybackView(const SlideShow& show, const PlaybackScene& scene, const Motion& motion)
    // Every picture covers the whole frame: drawn straight into the window's surface.
    : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), show_(show), scene_(scene), motion_(motion) {
    setFormat(playback_surface_format());
    // The mouse goes through to the playback window.
    setFlag(Qt::WindowTransparentForInput);
}

GlPlaybackView::~GlPlaybackView() {
    if (!ready_) return;
    makeCurrent();
    renderer_.release();
    doneCurrent();
}

void GlPlaybackView::initializeGL() { ready_ = !renderer_.initialise(); }

void GlPlaybackView::paintGL() {
    if (!ready_) return;
    const qreal ratio = devicePixelRatio();
    renderer_.draw(show_, scene_, motion_, qRound(width() * ratio), qRound(height() * ratio));
}

QSurfaceFormat playback_surface_format() {
    QSurfaceFormat format;
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setSwapInterval(1);
    return format;
}

const GraphicsDrawing& graphics_drawing() {
    static const GraphicsDrawing found = [] {
        GraphicsDrawing result;
        // Platforms without a screen make contexts but cannot show an OpenGL window.
        const QString platform = QGuiApplication::platformName();
        if (platform == QStringLiteral("offscreen") || platform == QStringLiteral("minimal")) return result;
        QOpenGLContext context;
        context.setFormat(playback_surface_format());
        QOffscreenSurface surface;
        surface.setFormat(context.format());
        surface.create();
        if (!context.create() || !surface.isValid() || !context.makeCurrent(&surface)) return result;
        const auto* renderer_name = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
        result.software = software_renderer(renderer_name ? renderer_name : "");
        GlSceneRenderer renderer;
        result.available = !renderer.initialise();
        if (result.available) renderer.release();
        context.doneCurrent();
        return result;
    }();
    return found;
}

}  // namespace lumivane
