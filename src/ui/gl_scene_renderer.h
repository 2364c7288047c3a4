#pragma once
// Draws the playback window's pictures on the graphics processor (OpenGL 3.3 core):
// each slide's picture goes up once, in tiles where it is larger than the largest
// texture, and every picture is composed there from a PlaybackScene. Exact motion
// takes each pixel from the same sampling maps as the processor (exact_maps), so its
// pictures are the same to the byte; smooth motion filters from mipmaps (the picture
// cache's halved copies), trilinear;
// the transitions compose by the same steps (transition_step) in integers; the caption,
// drawn by the processor, is laid over them across the rows it covers.

#include <QImage>
#include <QOpenGLFunctions_3_3_Core>

#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/picture_cache.h"
#include "playback/pan_zoom.h"
#include "playback/playback_scene.h"

namespace lumivane {

class GlSceneRenderer : protected QOpenGLFunctions_3_3_Core {
public:
    GlSceneRenderer() = default;
    GlSceneRenderer(const GlSceneRenderer&) = delete;
    GlSceneRenderer& operator=(const GlSceneRenderer&) = delete;

    // With a context current: true when it is no OpenGL 3.3 core context or the
    // program cannot be made.
    [[nodiscard]] bool initialise();
    // Frees what it holds on the graphics processor; its context must be current.
    void release();

    // The caption to lay over the pictures: premultiplied, of the frame's size in device
    // pixels, rows top-down; a null image for none. Goes up with the next picture.
    void set_caption(const QImage& caption);

    // Draws the scene into the framebuffer bound, of width x height device pixels.
    void draw(const SlideShow& show, const PlaybackScene& scene, Motion motion, std::int32_t width,
              std::int32_t height);

private:
    // A slide's picture on the graphics processor: an array texture of tiles, one layer
    // when it fits in one texture.
    struct PictureTexture {
        std::shared_ptr<const ImageBuffer> picture;  // the picture it was made from, held while it is here
        std::int32_t width = 0;
        std::int32_t height = 0;
        GLuint texture = 0;
        std::int32_t layer_width = 0;  // a tile's size: the picture's where it fits one texture
        std::int32_t layer_height = 0;
        std::int32_t tiles_x = 1;
        std::int32_t tiles_y = 1;
        bool mipmapped = false;
        std::uint64_t used = 0;
    };

    // A view's picture as bound for a picture: its texture's measures (a copy: binding
    // the other view may move the cache's entries) and box; black when not lit.
    struct BoundView {
        bool lit = false;
        PictureTexture texture;
        PictureBox box;
    };

    // The view's texture, uploaded when the cache does not hold it; null for a slide
    // without a picture to show.
    PictureTexture* texture_for(const PictureView& view, bool smooth);
    void upload(const ImageBuffer& image, PictureTexture& texture);
    // Rows first to last of the picture, width pixels from the column set as skipped,
    // into a layer of a level of the texture bound.
    void upload_rows(const ImageBuffer& image, GLint level, std::int32_t first, std::int32_t last, std::int32_t width,
                     std::int32_t layer);
    // Smooth motion's halved copies of the picture as the bound texture's mipmaps.
    void upload_levels(const std::vector<ImageBuffer>& levels, PictureTexture& texture);
    // Binds the view's picture, and in exact motion its maps, to the view's texture units.
    BoundView bind_view(const SlideShow& show, const SlideView& view, Motion motion, std::int32_t index,
                        std::int32_t width, std::int32_t height);
    // The view's uniforms of the program in use.
    void set_view(GLuint program, std::int32_t index, const BoundView& bound);
    // The band of the caption's rows that it covers, up to the graphics processor.
    void upload_caption();

    GLuint programs_[3][4] = {};  // by sampling (exact, smooth, smooth from tiles) and transition kind
    GLuint caption_program_ = 0;
    GLuint vertex_array_ = 0;
    GLuint maps_[4] = {};         // columns and rows of views 0 and 1: texture buffers
    GLuint map_buffers_[4] = {};  // their buffers
    GLuint caption_texture_ = 0;
    QImage caption_;
    bool caption_changed_ = false;
    int caption_first_ = 0;  // the rows the caption covers, top-down, first to end
    int caption_end_ = 0;
    GLint max_texture_ = 0;
    std::vector<PictureTexture> textures_;
    std::uint64_t clock_ = 0;
    std::vector<std::int32_t> map_;       // exact_maps' output
    std::vector<std::int32_t> tile_map_;  // the same, each place in its tile and the tile
};

}  // namespace lumivane
