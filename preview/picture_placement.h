#pragma once
// Where a background picture is drawn: fitted to the screen as the graphics are, scaled and
// moved by its record and, where they apply, by its background slot's parameters. Positions
// beyond 5 or -5 anchor the picture to an edge; 10 and -10 put it flush with that edge.

#include <optional>

struct SceneView;

struct PictureValues
{
    float sizeX = 1.0f, sizeY = 1.0f;
    float positionX = 0.0f, positionY = 0.0f;
    float intensity = 1.0f;
};

struct PictureQuad
{
    float x0, y0, x1, y1;
    float sMax, tMax; // texture coordinates of the far corner
    float grey;       // the colour (grey, grey, grey)
};

struct PictureSource
{
    int contentWidth, contentHeight; // pixels
    int textureWidth, textureHeight;
};

// slot: the background slot's parameters when they apply, else null. Nothing when the sizes
// leave the fit undefined.
std::optional<PictureQuad> PlacePicture(const SceneView& view, const PictureSource& source,
                                        float graphicsSizeX, float graphicsSizeY, const PictureValues& record,
                                        const PictureValues* slot);
