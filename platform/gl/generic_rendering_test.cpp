#include "platform/gl/generic_rendering.h"

#include <gtest/gtest.h>

namespace {

TEST(GenericRenderingTest, OnlyAForcedWindowOnAHardwareDriverRendersOffscreen)
{
    struct Case
    {
        bool forceGeneric;
        const char* renderer;
        bool offscreen;
    };
    const Case cases[] = {
        {true, "llvmpipe (LLVM 15.0.6, 256 bits)", false},
        {true, "Gallium 0.4 on softpipe", false},
        {true, "Software Rasterizer (SWRAST)", false},
        {true, "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", true},
        {true, "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)", true},
        {true, "NVIDIA GeForce GTX 1060/PCIe/SSE2", true},
        {true, "", false},
        {false, "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {false, "llvmpipe (LLVM 15.0.6, 256 bits)", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RendersOffscreenForGeneric(c.forceGeneric, c.renderer), c.offscreen)
            << c.forceGeneric << " " << c.renderer;
}

} // namespace
