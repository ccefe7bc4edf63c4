#include "apps/player/resources/player_resources.h"

#include "apps/player/resources/main_menu.h"
#include "preview/context_menu_model.h"
#include "shell/command_ids.h"

#include <array>

const ResourceTables& PlayerResourceTables()
{
    static const std::array menus{MenuResource{kMainMenuId, &MainMenuResource()},
                                  MenuResource{kPreviewContextMenuId, &PreviewContextMenuResource()}};
    static const ResourceTables tables{menus, {}, {}, {}, {}};
    return tables;
}
