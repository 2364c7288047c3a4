#include "ui/shell/drawing_choice.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(DrawingChoice, AutomaticLeavesRenderersOnTheProcessor) {
    struct Case {
        const char* renderer;
        Drawing drawing;
        bool context_made;
        bool on_graphics;
    };
    const Case cases[] = {
        {"NVIDIA H100 80GB HBM3/PCIe/SSE2", Drawing::Automatic, true, true},
        {"AMD Radeon RX 7600 (radeonsi, navi33, LLVM 15.0.6, DRM 3.54)", Drawing::Automatic, true, true},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", Drawing::Automatic, true, true},
        {"llvmpipe (LLVM 15.0.6, 256 bits)", Drawing::Automatic, true, false},
        {"softpipe", Drawing::Automatic, true, false},
        {"Software Rasterizer", Drawing::Automatic, true, false},
        {"llvmpipe (LLVM 15.0.6, 256 bits)", Drawing::GraphicsProcessor, true, true},
        {"NVIDIA H100 80GB HBM3/PCIe/SSE2", Drawing::GraphicsProcessor, false, false},
        {"NVIDIA H100 80GB HBM3/PCIe/SSE2", Drawing::Automatic, false, false},
        {"NVIDIA H100 80GB HBM3/PCIe/SSE2", Drawing::Processor, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(draws_on_graphics(c.drawing, c.context_made, software_renderer(c.renderer)), c.on_graphics)
            << c.renderer << ", drawing " << static_cast<int>(c.drawing);
    }
}

}  // namespace
}  // namespace lumivane
