#include "apps/player/resources/player_resources.h"

#include "apps/player/resources/main_menu.h"
#include "preview/context_menu_model.h"
#include "shell/about_text.h"
#include "shell/command_ids.h"
#include "shell/skin_elements.h"

#include <array>
#include <cstdint>

namespace {

// The pictures zylskin draws, as their committed PNG files.
constexpr uint8_t kSkinPng[] = {
#include "apps/player/resources/skin_140_png.inc"
};
constexpr uint8_t kAboutLogoPng[] = {
#include "apps/player/resources/about_2274_png.inc"
};
constexpr uint8_t kAboutMakerPng[] = {
#include "apps/player/resources/about_2275_png.inc"
};
constexpr uint8_t kIconPng[] = {
#include "apps/player/resources/icon_128_png.inc"
};

} // namespace

const ResourceTables& PlayerResourceTables()
{
    static const std::array menus{MenuResource{kMainMenuId, &MainMenuResource()},
                                  MenuResource{kPreviewContextMenuId, &PreviewContextMenuResource()}};
    static const std::array pictures{
        PictureResource{ResourceKind::Picture, kSkinBitmapId, kSkinPng, sizeof kSkinPng},
        PictureResource{ResourceKind::Picture, kAboutLogoId, kAboutLogoPng, sizeof kAboutLogoPng},
        PictureResource{ResourceKind::Picture, kAboutMakerId, kAboutMakerPng, sizeof kAboutMakerPng},
        PictureResource{ResourceKind::Icon, kProgramIconId, kIconPng, sizeof kIconPng}};
    static const ResourceTables tables{menus, {}, {}, pictures, {}};
    return tables;
}
