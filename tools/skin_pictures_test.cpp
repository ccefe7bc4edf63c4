#include "tools/skin_pictures.h"

#include "foundation/pictures/h_image.h"
#include "foundation/pictures/png_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every committed picture is exactly what the generator draws: a changed generator must be
// followed by `make skin`, and a hand-edited picture is caught.
TEST(SkinPictures, CommittedFilesEqualTheGeneratorsPixels)
{
    for (const SkinPictureFile& file : SkinPictureFiles()) {
        SCOPED_TRACE(file.fileName);
        const SkinCanvas drawn = file.draw();
        const std::string path = std::string(ZYL_SOURCE_DIR "/apps/player/resources/") + file.fileName;
        HImageRef committed;
        LPngReader reader(file.alpha);
        const CError error = reader.Read(path.c_str(), nullptr, committed);
        ASSERT_FALSE(error.Failed()) << error.ErrorText().CStr();
        ASSERT_EQ(committed->Width(), drawn.Width());
        ASSERT_EQ(committed->Height(), drawn.Height());
        HMemRef pixels = committed->LockPixels();
        const auto* bytes = static_cast<const uint8_t*>(pixels.GetData());
        int32_t differing = 0;
        for (int32_t y = 0; y < drawn.Height(); ++y) {
            for (int32_t x = 0; x < drawn.Width(); ++x) {
                const uint8_t* p = bytes + static_cast<int64_t>(y) * committed->Pitch() + 4 * x;
                const SkinColour c = drawn.At(x, y);
                const bool same = p[0] == c.blue && p[1] == c.green && p[2] == c.red && (!file.alpha || p[3] == c.alpha);
                if (!same && differing++ == 0)
                    ADD_FAILURE() << "first difference at " << x << ", " << y;
            }
        }
        EXPECT_EQ(differing, 0);
    }
}

} // namespace
