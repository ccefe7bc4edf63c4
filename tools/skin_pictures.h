#pragma once
// The player's own pictures: the skin bitmap 140 (the 640 x 480 window picture with the element
// sheets below it), the about box's pictures 2274 and 2275, and the program icon 128. zylskin
// writes them as PNG files into apps/player/resources/, where the player embeds them.

#include "tools/skin_canvas.h"

#include <span>

SkinCanvas DrawSkinBitmap();
SkinCanvas DrawAboutLogo();
SkinCanvas DrawAboutMaker();
SkinCanvas DrawProgramIcon();

struct SkinPictureFile
{
    const char* fileName;
    SkinCanvas (*draw)();
    bool alpha; // written with its alpha channel
};

// Every picture and the file it is committed as.
std::span<const SkinPictureFile> SkinPictureFiles();
