// One of the preview's texture kinds as OpenGL holds it: its name and target, the texture's
// size and the part of it that holds the content, and whether it can be drawn with.
#pragma once

#include <cstdint>

struct TextureSlot
{
    uint32_t name = 0;
    uint32_t target = 0; // GL_TEXTURE_2D or GL_TEXTURE_3D; 0 while none was made
    int32_t width = 0;
    int32_t height = 0;
    int32_t depth = 0;
    int32_t contentWidth = 0;
    int32_t contentHeight = 0;
    int32_t contentDepth = 0;
    bool ready = false;
};
