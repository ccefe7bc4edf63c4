// What the player's gui tests ask of the display: its windows by title, the preview inside a
// frame and a window's pixels, read with zylshot.
#pragma once

#include "foundation/pictures/h_image.h"
#include "foundation/pictures/png_reader.h"
#include "platform/wx/test_support/x_session.h"

#include <array>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

// The ids of the shown top-level windows with exactly this title.
inline std::vector<std::string> WindowsTitled(const XSession& session, const std::string& wanted)
{
    return session.WindowsTitled(ZYLSHOT, wanted);
}

// The first shown top-level window with exactly this title; empty when there is none.
inline std::string WindowTitled(const XSession& session, const std::string& wanted)
{
    const std::vector<std::string> ids = WindowsTitled(session, wanted);
    return ids.empty() ? std::string() : ids.front();
}

// A window and its size.
struct ShownWindow
{
    std::string id;
    int32_t width = 0;
    int32_t height = 0;
};

// The largest mapped child of a window (the preview inside the player's frame); none: width 0.
inline ShownWindow LargestChild(const XSession& session, const std::string& window)
{
    std::string children;
    session.Run(std::string(ZYLSHOT) + " children " + window, &children);
    std::istringstream lines(children);
    ShownWindow largest;
    ShownWindow child;
    while (lines >> child.id >> child.width >> child.height) {
        if (child.width * child.height > largest.width * largest.height)
            largest = child;
    }
    return largest;
}

// A window's pixels as they are on the screen now, read back from zylshot's PNG file, or a
// picture the player wrote.
class WindowPixels
{
  public:
    bool LoadBmp(const std::string& file)
    {
        picture_ = HImageRef();
        return !HImage::LoadBmpFile(picture_, file.c_str(), true, false).Failed() && !picture_.IsEmpty();
    }
    // `file`: where zylshot may write the picture.
    bool Grab(const XSession& session, const std::string& window, const std::string& file)
    {
        picture_ = HImageRef();
        if (session.Run(std::string(ZYLSHOT) + " png " + file + " " + window) != 0)
            return false;
        LPngReader reader(false);
        return !reader.Read(file.c_str(), nullptr, picture_).Failed() && !picture_.IsEmpty();
    }
    int32_t Width() const { return picture_->Width(); }
    int32_t Height() const { return picture_->Height(); }
    // Red, green, blue of a pixel, row y from the top; black outside the picture.
    std::array<int, 3> At(int32_t x, int32_t y) const
    {
        if (x < 0 || y < 0 || x >= Width() || y >= Height())
            return {0, 0, 0};
        const HMemRef pixels = picture_->LockPixels();
        const auto* p = static_cast<const uint8_t*>(pixels.GetData()) + static_cast<size_t>(y) * picture_->Pitch() +
                        4 * static_cast<size_t>(x);
        return {p[2], p[1], p[0]};
    }

  private:
    HImageRef picture_;
};
