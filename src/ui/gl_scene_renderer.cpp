#include "ui/gl_scene_renderer.h"

#include <QOpenGLContext>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

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
// (SMOOTH: 0 exact, 1 smooth, 2 smooth from tiles) and transition (TRANSITION: 0 none,
// 1 fade to black, 2 crossfade, 3 curtain). A graphics processor that is the
// processor's vectors (llvmpipe) runs both sides of every branch and each lane's
// integer division on its own, so the shader has neither: what differs is made into
// another program, exact motion's maps hold each pixel's tile, and black is a view
// without light or maps of -1.
const char* const fragment_source = R"(
struct View {
    int lit;          // 0 black, 1 the picture
    ivec2 size;       // the picture's
    ivec2 layer;      // a layer's size, which is a tile's
    ivec2 tiles;
    vec4 box;         // smooth: left, top, right, bottom in picture pixels, rows from the top
};
uniform View views[2];
uniform sampler2DArray picture0;
uniform sampler2DArray picture1;
// Exact motion's maps: for each frame column (row) the picture column (row) in its
// tile and the tile's column (row); -1 for black. Texture buffers, read as plain arrays:
// llvmpipe fetches from them in a third less time than from a texture.
uniform isamplerBuffer columns0;
uniform isamplerBuffer rows0;
uniform isamplerBuffer columns1;
uniform isamplerBuffer rows1;
uniform ivec2 frame;
uniform int level;
uniform int threshold;
out vec4 colour;

ivec3 bytes(vec3 c) { return ivec3(round(c * 255.0)); }

vec3 exact_colour(sampler2DArray picture, isamplerBuffer columns, isamplerBuffer rows, View v, ivec2 at) {
    ivec2 c = texelFetch(columns, at.x).rg;
    ivec2 r = texelFetch(rows, at.y).rg;
    vec3 p = texelFetch(picture, max(ivec3(c.x, r.x, r.y * v.tiles.x + c.y), ivec3(0)), 0).rgb;
    return c.x < 0 || r.x < 0 ? vec3(0.0) : p;
}

vec3 smooth_colour(sampler2DArray picture, View v, ivec2 at) {
    vec2 steps = vec2(max(frame - 1, ivec2(1)));
    vec2 from = v.box.xy;
    vec2 span = v.box.zw - v.box.xy;
    // The pixel's centre in the picture, rows from the top, then from the bottom edge.
    vec2 p = from + span * vec2(float(at.x), float(frame.y - 1 - at.y)) / steps;
    vec2 q = vec2(p.x + 0.5, float(v.size.y) - 0.5 - p.y);
#if SMOOTH == 2
    ivec2 t = clamp(ivec2(floor(q / vec2(v.layer))), ivec2(0), v.tiles - 1);
    vec2 uv = (q - vec2(t * v.layer)) / vec2(v.layer);
    // Across tiles the steps are told, for the texture coordinates jump at their seams.
    vec2 dx = vec2(span.x / steps.x / float(v.layer.x), 0.0);
    vec2 dy = vec2(0.0, span.y / steps.y / float(v.layer.y));
    return textureGrad(picture, vec3(uv, float(t.y * v.tiles.x + t.x)), dx, dy).rgb * float(v.lit);
#else
    return texture(picture, vec3(q / vec2(v.size), 0.0)).rgb * float(v.lit);
#endif
}

vec3 colour0(ivec2 at) {
#if SMOOTH
    return smooth_colour(picture0, views[0], at);
#else
    return exact_colour(picture0, columns0, rows0, views[0], at);
#endif
}

vec3 colour1(ivec2 at) {
#if SMOOTH
    return smooth_colour(picture1, views[1], at);
#else
    return exact_colour(picture1, columns1, rows1, views[1], at);
#endif
}

ivec3 view0(ivec2 at) { return bytes(colour0(at)); }
ivec3 view1(ivec2 at) { return bytes(colour1(at)); }

// The byte table mul8: (a b + 127) div 255, which for these numbers equals
// (x + 1 + (x >> 8)) >> 8 with x = a b + 127.
ivec3 mul8(ivec3 a, int b) {
    ivec3 x = a * b + 127;
    return (x + 1 + (x >> 8)) >> 8;
}

void main() {
    ivec2 at = ivec2(gl_FragCoord.xy);
#if TRANSITION == 0
    // The picture as it is: bytes turned into colours and back are the same bytes.
    colour = vec4(colour0(at), 1.0);
#else
#if TRANSITION == 1
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
    colour = vec4(vec3(c) / 255.0, 1.0);
#endif
}
)";

// The caption, laid over the picture only across the band of rows it covers, by
// blending its premultiplied pixels.
const char* const caption_vertex_source = R"(#version 330 core
uniform vec2 band;  // the band's bottom and top edges, -1 to 1
void main() {
    vec2 corner = vec2(float((gl_VertexID & 1) * 2 - 1), (gl_VertexID & 2) != 0 ? band.y : band.x);
    gl_Position = vec4(corner, 0.0, 1.0);
}
)";

const char* const caption_fragment_source = R"(#version 330 core
uniform sampler2D caption;  // the band's rows, top-down
uniform int top;            // the frame row, counted from the bottom, of the band's first row
out vec4 colour;
void main() {
    ivec2 at = ivec2(gl_FragCoord.xy);
    colour = texelFetch(caption, ivec2(at.x, top - at.y), 0);
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

// The program of the two shaders, its samplers named in units 0 up; 0 when it cannot
// be made.
GLuint link(QOpenGLFunctions_3_3_Core& gl, const char* vertex_source, const char* fragment_head,
            const char* fragment_source, std::initializer_list<const char*> samplers) {
    const GLuint vertex = compile(gl, GL_VERTEX_SHADER, "", vertex_source);
    const GLuint fragment = compile(gl, GL_FRAGMENT_SHADER, fragment_head, fragment_source);
    GLuint program = 0;
    if (vertex && fragment) {
        program = gl.glCreateProgram();
        gl.glAttachShader(program, vertex);
        gl.glAttachShader(program, fragment);
        gl.glLinkProgram(program);
    }
    if (vertex) gl.glDeleteShader(vertex);
    if (fragment) gl.glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    if (program) gl.glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        if (program) gl.glDeleteProgram(program);
        return 0;
    }
    gl.glUseProgram(program);
    GLint unit = 0;
    for (const char* name : samplers) gl.glUniform1i(uniform(gl, program, name), unit++);
    return program;
}

void nearest_texture(QOpenGLFunctions_3_3_Core& gl, GLuint texture) {
    gl.glBindTexture(GL_TEXTURE_2D, texture);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

}  // namespace

bool GlSceneRenderer::initialise() {
    const QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context || context->format().version() < qMakePair(3, 3) || !initializeOpenGLFunctions()) return true;
    // All made now: making one when a show first needs it would hold up that picture.
    for (std::size_t sampling = 0; sampling < 3; ++sampling) {
        for (std::size_t transition = 0; transition < 4; ++transition) {
            const std::string head = "#version 330 core\n#define SMOOTH " + std::to_string(sampling) +
                                     "\n#define TRANSITION " + std::to_string(transition) + "\n";
            programs_[sampling][transition] =
                link(*this, vertex_source, head.c_str(), fragment_source,
                     {"picture0", "picture1", "columns0", "rows0", "columns1", "rows1"});
            if (programs_[sampling][transition]) continue;
            release();
            return true;
        }
    }
    caption_program_ = link(*this, caption_vertex_source, "", caption_fragment_source, {"caption"});
    if (!caption_program_) {
        release();
        return true;
    }
    glGenVertexArrays(1, &vertex_array_);
    glGenTextures(4, maps_);
    glGenBuffers(4, map_buffers_);
    for (int k = 0; k < 4; ++k) {
        glBindBuffer(GL_TEXTURE_BUFFER, map_buffers_[k]);
        glBindTexture(GL_TEXTURE_BUFFER, maps_[k]);
        glTexBuffer(GL_TEXTURE_BUFFER, GL_RG32I, map_buffers_[k]);
    }
    glBindBuffer(GL_TEXTURE_BUFFER, 0);
    glGenTextures(1, &caption_texture_);
    nearest_texture(*this, caption_texture_);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_texture_);
    return false;
}

void GlSceneRenderer::release() {
    for (const PictureTexture& t : textures_) glDeleteTextures(1, &t.texture);
    textures_.clear();
    for (auto& sampling : programs_) {
        for (GLuint& program : sampling) {
            if (program) glDeleteProgram(program);
            program = 0;
        }
    }
    if (caption_program_) glDeleteProgram(caption_program_);
    if (vertex_array_) glDeleteVertexArrays(1, &vertex_array_);
    glDeleteTextures(4, maps_);
    glDeleteBuffers(4, map_buffers_);
    if (caption_texture_) glDeleteTextures(1, &caption_texture_);
    vertex_array_ = caption_texture_ = caption_program_ = 0;
}

void GlSceneRenderer::set_caption(const QImage& caption) {
    caption_ = caption;
    caption_changed_ = true;
}

void GlSceneRenderer::upload_rows(const ImageBuffer& image, GLint level, std::int32_t first, std::int32_t last,
                                  std::int32_t width, std::int32_t layer) {
    // Rows of 3 bytes a pixel padded to 4 bytes, as the picture stores them; only the
    // rows inside one of its blocks lie one after another.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, image.width);
    for (std::int32_t r = first; r < last;) {
        const std::int32_t block_end = (r / image.rows_per_block + 1) * image.rows_per_block;
        const std::int32_t n = std::min(last, block_end) - r;
        glTexSubImage3D(GL_TEXTURE_2D_ARRAY, level, 0, r - first, layer, width, n, 1, GL_BGR, GL_UNSIGNED_BYTE,
                        image.rows[static_cast<std::size_t>(r)]);
        r += n;
    }
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void GlSceneRenderer::upload_levels(const std::vector<ImageBuffer>& levels, PictureTexture& t) {
    // The picture's own halved copies, which smooth motion on the processor samples too,
    // where they are as large as the texture's levels (a side of odd length gives a
    // copy one pixel longer, which is cut); the texture ends at the last one.
    GLint level = 0;
    for (const ImageBuffer& copy : levels) {
        const std::int32_t w = std::max(t.width >> (level + 1), 1);
        const std::int32_t h = std::max(t.height >> (level + 1), 1);
        if (copy.kind != PixelFormat::Colour8 || copy.width < w || copy.height < h) break;
        ++level;
        glTexImage3D(GL_TEXTURE_2D_ARRAY, level, GL_RGB8, w, h, 1, 0, GL_BGR, GL_UNSIGNED_BYTE, nullptr);
        upload_rows(copy, level, 0, h, w, 0);
    }
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, level);
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
    for (std::int32_t ty = 0; ty < t.tiles_y; ++ty) {
        for (std::int32_t tx = 0; tx < t.tiles_x; ++tx) {
            const std::int32_t x = tx * t.layer_width;
            const std::int32_t w = std::min(t.layer_width, image.width - x);
            const std::int32_t first = ty * t.layer_height;
            const std::int32_t last = std::min(first + t.layer_height, image.height);
            glPixelStorei(GL_UNPACK_SKIP_PIXELS, x);
            upload_rows(image, 0, first, last, w, ty * t.tiles_x + tx);
        }
    }
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    // Outside the picture is black; texelFetch needs a complete texture without mipmaps.
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, 0);
}

GlSceneRenderer::PictureTexture* GlSceneRenderer::texture_for(const PictureView& view, bool smooth) {
    const std::shared_ptr<const ImageBuffer>& picture = view.image;
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
        found->mipmapped = true;
        if (view.levels && found->tiles_x * found->tiles_y == 1) {
            upload_levels(*view.levels, *found);
        } else {
            glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, 1000);
            glGenerateMipmap(GL_TEXTURE_2D_ARRAY);
        }
    }
    return &*found;
}

GlSceneRenderer::BoundView GlSceneRenderer::bind_view(const SlideShow& show, const SlideView& view, Motion motion,
                                                      std::int32_t index, std::int32_t width, std::int32_t height) {
    BoundView bound;
    const PictureTexture* t = nullptr;
    if (view.slide >= 0 && view.slide < show.slide_count()) {
        const Slide& slide = show.slides[static_cast<std::size_t>(view.slide)];
        glActiveTexture(GL_TEXTURE0 + index);
        // The picture as the processor's path takes it: full size in exact motion, in
        // smooth motion no larger than the window needs, filtered through mipmaps.
        const PictureView picture = picture_get(slide.picture, picture_need(show, slide, motion, width, height));
        t = texture_for(picture, motion == Motion::Smooth);
        if (t) {
            bound.lit = true;
            bound.texture = *t;
            bound.box = box_in_picture(slide_picture_box(show, slide, view.key_frame, view.progress, width, height),
                                       slide.picture->source, *picture.image);
        }
    }
    if (motion == Motion::Smooth) return bound;
    // Exact: the processor's own sampling maps, columns then rows, each place with its
    // tile; all -1 for black.
    map_.resize(static_cast<std::size_t>(width) + static_cast<std::size_t>(height));
    tile_map_.assign(2 * map_.size(), -1);
    if (t) {
        exact_maps(t->width, t->height, bound.box, width, height, map_.data(), map_.data() + width);
        for (std::size_t i = 0; i < map_.size(); ++i) {
            const std::int32_t side = i < static_cast<std::size_t>(width) ? t->layer_width : t->layer_height;
            if (map_[i] < 0) continue;
            tile_map_[2 * i] = map_[i] % side;
            tile_map_[2 * i + 1] = map_[i] / side;
        }
    }
    const std::int32_t lengths[2] = {width, height};
    for (std::int32_t k = 0; k < 2; ++k) {
        glActiveTexture(GL_TEXTURE2 + 2 * index + k);
        glBindTexture(GL_TEXTURE_BUFFER, maps_[2 * index + k]);
        glBindBuffer(GL_TEXTURE_BUFFER, map_buffers_[2 * index + k]);
        glBufferData(GL_TEXTURE_BUFFER, 8 * static_cast<GLsizeiptr>(lengths[k]),
                     tile_map_.data() + (k == 0 ? 0 : 2 * width), GL_STREAM_DRAW);
        glBindBuffer(GL_TEXTURE_BUFFER, 0);
    }
    return bound;
}

void GlSceneRenderer::set_view(GLuint program, std::int32_t index, const BoundView& bound) {
    const std::string name = "views[" + std::to_string(index) + "].";
    const auto at = [&](const char* field) { return uniform(*this, program, (name + field).c_str()); };
    glUniform1i(at("lit"), bound.lit ? 1 : 0);
    if (!bound.lit) return;
    const PictureTexture& t = bound.texture;
    glUniform2i(at("size"), t.width, t.height);
    glUniform2i(at("layer"), t.layer_width, t.layer_height);
    glUniform2i(at("tiles"), t.tiles_x, t.tiles_y);
    glUniform4f(at("box"), static_cast<float>(bound.box.left), static_cast<float>(bound.box.top),
                static_cast<float>(bound.box.right), static_cast<float>(bound.box.bottom));
}

void GlSceneRenderer::upload_caption() {
    caption_changed_ = false;
    caption_first_ = caption_end_ = 0;
    if (caption_.isNull() || caption_.format() != QImage::Format_ARGB32_Premultiplied) return;
    // Only the band of rows the caption covers goes up and is drawn over.
    const auto clear = [&](int y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(caption_.constScanLine(y));
        return std::all_of(row, row + caption_.width(), [](std::uint32_t p) { return p == 0; });
    };
    int first = 0;
    int end = caption_.height();
    while (first < end && clear(first)) ++first;
    while (end > first && clear(end - 1)) --end;
    caption_first_ = first;
    caption_end_ = end;
    if (first == end) return;
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, caption_texture_);
    // Premultiplied 32-bit pixels, blue, green, red, alpha in memory; rows top-down.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(caption_.bytesPerLine() / 4));
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, caption_.width(), end - first, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 caption_.constScanLine(first));
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void GlSceneRenderer::draw(const SlideShow& show, const PlaybackScene& scene, Motion motion, std::int32_t width,
                           std::int32_t height) {
    glViewport(0, 0, width, height);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBindVertexArray(vertex_array_);
    const bool transition = scene.transition == TransitionKind::FadeToBlack ||
                            scene.transition == TransitionKind::Crossfade || scene.transition == TransitionKind::Curtain;
    BoundView bound[2];
    TransitionStep step;
    if (transition) {
        step = transition_step(scene.transition, scene.progress,
                               static_cast<std::int32_t>(row_stride(3 * std::int64_t{width})));
        // Fade to black draws one picture: the one going, or past the middle the one coming.
        bound[0] = bind_view(show, step.rising ? scene.incoming : scene.outgoing, motion, 0, width, height);
        if (scene.transition != TransitionKind::FadeToBlack) {
            bound[1] = bind_view(show, scene.incoming, motion, 1, width, height);
        }
    } else {
        bound[0] = bind_view(show, scene.shown, motion, 0, width, height);
    }
    const auto tiled = [](const BoundView& b) { return b.lit && b.texture.tiles_x * b.texture.tiles_y > 1; };
    const std::size_t sampling = motion != Motion::Smooth ? 0 : tiled(bound[0]) || tiled(bound[1]) ? 2 : 1;
    const GLuint program = programs_[sampling][static_cast<std::size_t>(transition ? scene.transition : TransitionKind::None)];
    glUseProgram(program);
    glUniform2i(uniform(*this, program, "frame"), width, height);
    glUniform1i(uniform(*this, program, "level"), step.level);
    glUniform1i(uniform(*this, program, "threshold"), step.threshold);
    set_view(program, 0, bound[0]);
    set_view(program, 1, bound[1]);
    glDrawArrays(GL_TRIANGLES, 0, 3);

    if (caption_changed_) upload_caption();
    if (caption_first_ < caption_end_ && caption_.width() == width && caption_.height() == height) {
        glUseProgram(caption_program_);
        const auto edge = [&](int row) { return 2.0f * static_cast<float>(height - row) / static_cast<float>(height) - 1.0f; };
        glUniform2f(uniform(*this, caption_program_, "band"), edge(caption_end_), edge(caption_first_));
        glUniform1i(uniform(*this, caption_program_, "top"), height - 1 - caption_first_);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, caption_texture_);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        glDisable(GL_BLEND);
    }
    glBindVertexArray(0);
    glActiveTexture(GL_TEXTURE0);
}

}  // namespace lumivane
