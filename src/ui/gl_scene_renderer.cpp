#include "ui/gl_scene_renderer.h"

#include <QOpenGLContext>

#include <algorithm>
#include <string>
#include <cmath>

#include "document/slide_show.h"
#include "imaging/image_buffer.h"
#include "imaging/picture_cache.h"
#include "playback/pan_zoom.h"
#include "playback/transitions.h"

namespace lumivane {

namespace {

// Slides whose pictures stay on the graphics processor: the one shown, the one going
// and the one coming.
constexpr std::size_t cached_pictures = 3;

const char* const vertex_source = R"(#version 330 core
void main() {
    // One triangle that covers the frame.
    vec2 corner = vec2(float((gl_VertexID & 1) * 4 - 1), float((gl_VertexID & 2) * 2 - 1));
    gl_Position = vec4(corner, 0.0, 1.0);
}
)";

// Pixels are worked in integers 0..255, as the processor works bytes; a frame pixel
// (x, y) counts rows bottom row first, as the frames store them. Made for each motion
// (SMOOTH 0 or 1) and transition (TRANSITION: 0 none, 1 fade to black, 2 crossfade,
// 3 curtain): a graphics processor that is the processor's vectors (llvmpipe) pays for
// both sides of every branch.
const char* const fragment_source = R"(
struct View {
    int kind;         // 0 black, 1 exact, 2 smooth
    ivec2 size;       // the picture's
    ivec2 layer;      // a layer's size, which is a tile's
    ivec2 tiles;
    vec4 box;         // smooth: left, top, right, bottom in picture pixels, rows from the top
};
uniform View views[2];
uniform sampler2DArray picture0;
uniform sampler2DArray picture1;
uniform isampler2D columns0;
uniform isampler2D rows0;
uniform isampler2D columns1;
uniform isampler2D rows1;
uniform sampler2D caption;
uniform bool captioned;
uniform ivec2 frame;
uniform int level;
uniform int threshold;
out vec4 colour;

ivec3 bytes(vec3 c) { return ivec3(round(c * 255.0)); }

ivec3 exact_colour(sampler2DArray picture, isampler2D columns, isampler2D rows, View v, ivec2 at) {
    int c = texelFetch(columns, ivec2(at.x, 0), 0).r;
    int r = texelFetch(rows, ivec2(at.y, 0), 0).r;
    if (c < 0 || r < 0) return ivec3(0);
    // Integer division is slow where the graphics processor is the processor's vectors
    // (llvmpipe): a picture of one tile needs none.
    if (v.tiles == ivec2(1)) return bytes(texelFetch(picture, ivec3(c, r, 0), 0).rgb);
    int tx = c / v.layer.x;
    int ty = r / v.layer.y;
    return bytes(texelFetch(picture, ivec3(c - tx * v.layer.x, r - ty * v.layer.y, ty * v.tiles.x + tx), 0).rgb);
}

ivec3 smooth_colour(sampler2DArray picture, View v, ivec2 at) {
    vec2 steps = vec2(max(frame - 1, ivec2(1)));
    vec2 from = v.box.xy;
    vec2 span = v.box.zw - v.box.xy;
    // The pixel's centre in the picture, rows from the top, then from the bottom edge.
    vec2 p = from + span * vec2(float(at.x), float(frame.y - 1 - at.y)) / steps;
    vec2 q = vec2(p.x + 0.5, float(v.size.y) - 0.5 - p.y);
    ivec2 t = clamp(ivec2(floor(q / vec2(v.layer))), ivec2(0), v.tiles - 1);
    vec2 uv = (q - vec2(t * v.layer)) / vec2(v.layer);
    if (v.tiles == ivec2(1)) return bytes(texture(picture, vec3(uv, 0.0)).rgb);
    // Across tiles the steps are told, for the texture coordinates jump at their seams.
    vec2 dx = vec2(span.x / steps.x / float(v.layer.x), 0.0);
    vec2 dy = vec2(0.0, span.y / steps.y / float(v.layer.y));
    return bytes(textureGrad(picture, vec3(uv, float(t.y * v.tiles.x + t.x)), dx, dy).rgb);
}

ivec3 view0(ivec2 at) {
    if (views[0].kind == 0) return ivec3(0);
#if SMOOTH
    return smooth_colour(picture0, views[0], at);
#else
    return exact_colour(picture0, columns0, rows0, views[0], at);
#endif
}

ivec3 view1(ivec2 at) {
    if (views[1].kind == 0) return ivec3(0);
#if SMOOTH
    return smooth_colour(picture1, views[1], at);
#else
    return exact_colour(picture1, columns1, rows1, views[1], at);
#endif
}

// The byte table mul8: (a b + 127) div 255, which for these numbers equals
// (x + 1 + (x >> 8)) >> 8 with x = a b + 127.
ivec3 mul8(ivec3 a, int b) {
    ivec3 x = a * b + 127;
    return (x + 1 + (x >> 8)) >> 8;
}

void main() {
    ivec2 at = ivec2(gl_FragCoord.xy);
#if TRANSITION == 0
    ivec3 c = view0(at);
#elif TRANSITION == 1
    // Fade to black: view 0 is the picture fading, going or coming.
    ivec3 c = mul8(view0(at), level);
#elif TRANSITION == 2
    ivec3 a = view0(at);
    ivec3 b = view1(at);
    ivec3 down = a - mul8(a - b, level);
    ivec3 up = a + mul8(b - a, level);
    ivec3 c = ivec3(b.r < a.r ? down.r : up.r, b.g < a.g ? down.g : up.g, b.b < a.b ? down.b : up.b);
#else
    // The curtain uncovers a row byte by byte: blue, green, red of each pixel.
    ivec3 a = view0(at);
    ivec3 b = view1(at);
    ivec3 position = 3 * at.x + ivec3(2, 1, 0);
    ivec3 c = ivec3(position.r <= threshold ? b.r : a.r, position.g <= threshold ? b.g : a.g,
                    position.b <= threshold ? b.b : a.b);
#endif
    vec3 picture = vec3(c) / 255.0;
    if (captioned) {
        vec4 over = texelFetch(caption, ivec2(at.x, frame.y - 1 - at.y), 0);
        picture = over.rgb + (1.0 - over.a) * picture;
    }
    colour = vec4(picture, 1.0);
}
)";

GLint uniform(QOpenGLFunctions_3_3_Core& gl, GLuint program, const char* name) {
    return gl.glGetUniformLocation(program, name);
}

GLuint compile(QOpenGLFunctions_3_3_Core& gl, GLenum kind, const char* head, const char* source) {
    const GLuint shader = gl.glCreateShader(kind);
    const char* parts[] = {head, source};
    gl.glShaderSource(shader, 2, parts, nullptr);
    gl.glCompileShader(shader);
    GLint ok = GL_FALSE;
    gl.glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return shader;
    gl.glDeleteShader(shader);
    return 0;
}

}  // namespace

GLuint GlSceneRenderer::program_for(bool smooth, TransitionKind transition) {
    GLuint& program = programs_[smooth ? 1 : 0][static_cast<std::size_t>(transition)];
    if (program) return program;
    const std::string head = "#version 330 core\n#define SMOOTH " + std::to_string(smooth ? 1 : 0) +
                             "\n#define TRANSITION " + std::to_string(static_cast<int>(transition)) + "\n";
    const GLuint vertex = compile(*this, GL_VERTEX_SHADER, "", vertex_source);
    const GLuint fragment = compile(*this, GL_FRAGMENT_SHADER, head.c_str(), fragment_source);
    if (vertex && fragment) {
        program = glCreateProgram();
        glAttachShader(program, vertex);
        glAttachShader(program, fragment);
        glLinkProgram(program);
    }
    if (vertex) glDeleteShader(vertex);
    if (fragment) glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    if (program) glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        if (program) glDeleteProgram(program);
        program = 0;
        return 0;
    }
    glUseProgram(program);
    const char* samplers[] = {"picture0", "picture1", "columns0", "rows0", "columns1", "rows1", "caption"};
    for (GLint unit = 0; unit < 7; ++unit) glUniform1i(uniform(*this, program, samplers[unit]), unit);
    return program;
}

bool GlSceneRenderer::initialise() {
    const QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context || context->format().version() < qMakePair(3, 3) || !initializeOpenGLFunctions()) return true;
    // All made now: making one when a show first needs it would hold up that picture.
    for (const bool smooth : {false, true}) {
        for (const TransitionKind transition : {TransitionKind::None, TransitionKind::FadeToBlack,
                                                TransitionKind::Crossfade, TransitionKind::Curtain}) {
            if (program_for(smooth, transition)) continue;
            release();
            return true;
        }
    }
    glGenVertexArrays(1, &vertex_array_);
    glGenTextures(4, maps_);
    glGenTextures(1, &caption_texture_);
    for (GLuint t : maps_) {
        glBindTexture(GL_TEXTURE_2D, t);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
    glBindTexture(GL_TEXTURE_2D, caption_texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_texture_);
    return false;
}

void GlSceneRenderer::release() {
    for (const PictureTexture& t : textures_) glDeleteTextures(1, &t.texture);
    textures_.clear();
    for (auto& motion : programs_) {
        for (GLuint& program : motion) {
            if (program) glDeleteProgram(program);
            program = 0;
        }
    }
    if (vertex_array_) glDeleteVertexArrays(1, &vertex_array_);
    glDeleteTextures(4, maps_);
    if (caption_texture_) glDeleteTextures(1, &caption_texture_);
    vertex_array_ = caption_texture_ = 0;
}

void GlSceneRenderer::set_caption(const QImage& caption) {
    caption_ = caption;
    caption_changed_ = true;
}

void GlSceneRenderer::upload(const ImageBuffer& image, PictureTexture& t) {
    const std::int32_t side = std::max(max_texture_, 64);
    t.layer_width = std::min(image.width, side);
    t.layer_height = std::min(image.height, side);
    t.tiles_x = (image.width + side - 1) / side;
    t.tiles_y = (image.height + side - 1) / side;
    glGenTextures(1, &t.texture);
    glBindTexture(GL_TEXTURE_2D_ARRAY, t.texture);
    glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, GL_RGB8, t.layer_width, t.layer_height, t.tiles_x * t.tiles_y, 0, GL_BGR,
                 GL_UNSIGNED_BYTE, nullptr);
    // Rows of 3 bytes a pixel padded to 4 bytes, as the picture stores them; only the
    // rows inside one of its blocks lie one after another.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, image.width);
    for (std::int32_t ty = 0; ty < t.tiles_y; ++ty) {
        for (std::int32_t tx = 0; tx < t.tiles_x; ++tx) {
            const std::int32_t x = tx * t.layer_width;
            const std::int32_t w = std::min(t.layer_width, image.width - x);
            const std::int32_t first = ty * t.layer_height;
            const std::int32_t last = std::min(first + t.layer_height, image.height);
            glPixelStorei(GL_UNPACK_SKIP_PIXELS, x);
            for (std::int32_t r = first; r < last;) {
                const std::int32_t block_end = (r / image.rows_per_block + 1) * image.rows_per_block;
                const std::int32_t n = std::min(last, block_end) - r;
                glTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, r - first, ty * t.tiles_x + tx, w, n, 1, GL_BGR,
                                GL_UNSIGNED_BYTE, image.rows[static_cast<std::size_t>(r)]);
                r += n;
            }
        }
    }
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    // Outside the picture is black; texelFetch needs a complete texture without mipmaps.
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, 0);
}

GlSceneRenderer::PictureTexture* GlSceneRenderer::texture_for(const std::shared_ptr<const ImageBuffer>& picture,
                                                              bool smooth) {
    if (!picture) return nullptr;
    const ImageBuffer& image = *picture;
    if (image.empty() || image.kind != PixelFormat::Colour8 || image.width <= 0 || image.height <= 0) return nullptr;
    auto found = std::find_if(textures_.begin(), textures_.end(),
                              [&](const PictureTexture& t) { return t.picture == picture; });
    if (found == textures_.end()) {
        if (textures_.size() >= cached_pictures) {
            const auto oldest = std::min_element(textures_.begin(), textures_.end(),
                                                 [](const auto& a, const auto& b) { return a.used < b.used; });
            glDeleteTextures(1, &oldest->texture);
            textures_.erase(oldest);
        }
        PictureTexture t;
        t.picture = picture;
        t.width = image.width;
        t.height = image.height;
        upload(image, t);
        textures_.push_back(t);
        found = textures_.end() - 1;
    }
    found->used = ++clock_;
    glBindTexture(GL_TEXTURE_2D_ARRAY, found->texture);
    if (smooth && !found->mipmapped) {
        glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, 1000);
        glGenerateMipmap(GL_TEXTURE_2D_ARRAY);
        found->mipmapped = true;
    }
    return &*found;
}

bool GlSceneRenderer::bind_view(const SlideShow& show, const SlideView& view, Motion motion, std::int32_t index,
                                std::int32_t width, std::int32_t height) {
    const std::string name = "views[" + std::to_string(index) + "].";
    const auto at = [&](const char* field) { return uniform(*this, program_, (name + field).c_str()); };
    glUniform1i(at("kind"), 0);
    if (view.slide < 0 || view.slide >= show.slide_count()) return false;
    const Slide& slide = show.slides[static_cast<std::size_t>(view.slide)];
    const bool smooth = motion == Motion::Smooth;
    glActiveTexture(GL_TEXTURE0 + index);
    // The full-size picture in either motion: smooth motion filters it through its mipmaps.
    const PictureTexture* t = texture_for(picture_get(slide.picture, PictureNeed{}).image, smooth);
    if (!t) return false;
    const PictureBox box = slide_picture_box(show, slide, view.key_frame, view.progress, width, height);
    glUniform1i(at("kind"), smooth ? 2 : 1);
    glUniform2i(at("size"), t->width, t->height);
    glUniform2i(at("layer"), t->layer_width, t->layer_height);
    glUniform2i(at("tiles"), t->tiles_x, t->tiles_y);
    glUniform4f(at("box"), static_cast<float>(box.left), static_cast<float>(box.top), static_cast<float>(box.right),
                static_cast<float>(box.bottom));
    if (smooth) return true;
    // Exact: the processor's own sampling maps, columns then rows.
    map_.resize(static_cast<std::size_t>(width) + static_cast<std::size_t>(height));
    exact_maps(t->width, t->height, box, width, height, map_.data(), map_.data() + width);
    const std::int32_t lengths[2] = {width, height};
    for (std::int32_t k = 0; k < 2; ++k) {
        glActiveTexture(GL_TEXTURE2 + 2 * index + k);
        glBindTexture(GL_TEXTURE_2D, maps_[2 * index + k]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_R32I, lengths[k], 1, 0, GL_RED_INTEGER, GL_INT,
                     map_.data() + (k == 0 ? 0 : width));
    }
    return true;
}

void GlSceneRenderer::draw(const SlideShow& show, const PlaybackScene& scene, Motion motion, std::int32_t width,
                           std::int32_t height) {
    glViewport(0, 0, width, height);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    const bool transition = scene.transition == TransitionKind::FadeToBlack ||
                            scene.transition == TransitionKind::Crossfade || scene.transition == TransitionKind::Curtain;
    program_ = program_for(motion == Motion::Smooth, transition ? scene.transition : TransitionKind::None);
    if (!program_) return;
    glUseProgram(program_);
    glBindVertexArray(vertex_array_);
    glUniform2i(uniform(*this, program_, "frame"), width, height);
    if (transition) {
        const TransitionStep step = transition_step(scene.transition, scene.progress,
                                                    static_cast<std::int32_t>(row_stride(3 * std::int64_t{width})));
        glUniform1i(uniform(*this, program_, "level"), step.level);
        glUniform1i(uniform(*this, program_, "threshold"), step.threshold);
        // Fade to black draws one picture: the one going, or past the middle the one coming.
        bind_view(show, step.rising ? scene.incoming : scene.outgoing, motion, 0, width, height);
        if (scene.transition != TransitionKind::FadeToBlack) bind_view(show, scene.incoming, motion, 1, width, height);
    } else {
        bind_view(show, scene.shown, motion, 0, width, height);
    }
    glActiveTexture(GL_TEXTURE6);
    glBindTexture(GL_TEXTURE_2D, caption_texture_);
    if (caption_changed_) {
        caption_changed_ = false;
        has_caption_ = !caption_.isNull();
        if (has_caption_) {
            // Premultiplied 32-bit pixels, blue, green, red, alpha in memory; rows top-down.
            glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
            glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(caption_.bytesPerLine() / 4));
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, caption_.width(), caption_.height(), 0, GL_BGRA,
                         GL_UNSIGNED_BYTE, caption_.constBits());
            glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        }
    }
    const bool captioned = has_caption_ && caption_.width() == width && caption_.height() == height;
    glUniform1i(uniform(*this, program_, "captioned"), captioned ? 1 : 0);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glBindVertexArray(0);
    glActiveTexture(GL_TEXTURE0);
}

}  // namespace lumivane
