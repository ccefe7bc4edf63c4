#include "apps/control/resources/control_module_resources.h"

#include "activex/control_context_menu.h"
#include "activex/control_identity.h"
#include "shell/command_ids.h"

#include <array>

namespace {

constexpr int32_t kTypeNameString = 1;
constexpr int32_t kPropPageNameString = 2;

// File version 1.0.0.1, as its two 32-bit halves.
constexpr uint32_t kFileVersionMs = 0x00010000;
constexpr uint32_t kFileVersionLs = 0x00000001;

const UiMenu& ControlMenu()
{
    static const UiMenu menu{{UiMenuItem::SubMenu(
        "_POPUP_", {UiMenuItem::Command(command_id::kAbout, "&About ZylPlayerActiveX...")})}};
    return menu;
}

} // namespace

const ResourceTables& ControlModuleResourceTables()
{
    static const std::array menus{MenuResource{kControlMenuId, &ControlMenu()}};
    static const std::array strings{StringResource{kTypeNameString, kControlTypeName},
                                    StringResource{kPropPageNameString, kPropPageTypeName}};
    static const ResourceTables tables{menus, {}, strings, {}, {}};
    return tables;
}

uint64_t ControlModuleFileVersion()
{
    return static_cast<uint64_t>(kFileVersionMs) << 32 | kFileVersionLs;
}
