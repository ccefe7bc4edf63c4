#include "apps/player/resources/player_resources.h"

#include "shell/about_text.h"
#include "shell/command_ids.h"
#include "shell/picture_resource.h"
#include "shell/skin_elements.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> CommittedFile(const std::string& name)
{
    std::ifstream file(ZYL_SOURCE_DIR "/apps/player/resources/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Every picture is compiled in as its committed file, byte for byte, and decodes.
TEST(PlayerResourcesTest, PicturesAreTheCommittedFilesAndDecode)
{
    ScopedResources installed(PlayerResourceTables());
    struct Case
    {
        ResourceKind kind;
        int32_t id;
        const char* file;
    };
    for (const Case c : {Case{ResourceKind::Picture, kSkinBitmapId, "skin_140.png"},
                         Case{ResourceKind::Picture, kAboutLogoId, "about_2274.png"},
                         Case{ResourceKind::Picture, kAboutMakerId, "about_2275.png"},
                         Case{ResourceKind::Icon, kProgramIconId, "icon_128.png"}}) {
        SCOPED_TRACE(c.file);
        const PictureResource* resource = FindPictureResource(c.kind, c.id);
        ASSERT_NE(resource, nullptr);
        const std::vector<uint8_t> committed = CommittedFile(c.file);
        ASSERT_FALSE(committed.empty());
        EXPECT_EQ(std::vector<uint8_t>(resource->png, resource->png + resource->size), committed);
        HImageRef picture;
        EXPECT_FALSE(ReadPictureResource(c.kind, c.id, picture).Failed());
        EXPECT_FALSE(picture.IsEmpty());
    }
    HImageRef skin;
    ASSERT_FALSE(ReadPictureResource(ResourceKind::Picture, kSkinBitmapId, skin).Failed());
    EXPECT_EQ(skin->Width(), kSkinBitmapWidth);
    EXPECT_EQ(skin->Height(), kSkinBitmapHeight);
}

TEST(PlayerResourcesTest, AMissingPictureFailsWithItsNumber)
{
    HImageRef picture;
    const CError error = ReadPictureResource(ResourceKind::Picture, kSkinBitmapId, picture);
    ASSERT_TRUE(error.Failed());
    EXPECT_NE(std::string(error.ErrorText().CStr()).find("140"), std::string::npos);
    EXPECT_TRUE(picture.IsEmpty());
}

} // namespace
