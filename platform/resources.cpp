#include "platform/resources.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<const ResourceTables*>& Installed()
{
    static std::vector<const ResourceTables*> tables;
    return tables;
}

// Newest tables first, so a deliverable's own entries win over shared ones.
template <class Entry, class Match>
const Entry* Find(std::span<const Entry> ResourceTables::*field, Match match)
{
    const auto& tables = Installed();
    for (auto it = tables.rbegin(); it != tables.rend(); ++it) {
        for (const Entry& entry : (*it)->*field) {
            if (match(entry))
                return &entry;
        }
    }
    return nullptr;
}

} // namespace

void InstallResources(const ResourceTables* tables)
{
    if (tables != nullptr)
        Installed().push_back(tables);
}

bool UninstallResources(const ResourceTables* tables)
{
    auto& installed = Installed();
    const auto it = std::find(installed.begin(), installed.end(), tables);
    if (it == installed.end())
        return false;
    installed.erase(it);
    return true;
}

const UiMenu* FindMenuResource(int32_t id)
{
    const MenuResource* found =
        Find(&ResourceTables::menus, [id](const MenuResource& e) { return e.id == id; });
    return found != nullptr ? found->menu : nullptr;
}

const DialogTemplate* FindDialogResource(int32_t id)
{
    const DialogResource* found =
        Find(&ResourceTables::dialogs, [id](const DialogResource& e) { return e.id == id; });
    return found != nullptr ? found->dialog : nullptr;
}

const char* FindStringResource(int32_t id)
{
    const StringResource* found =
        Find(&ResourceTables::strings, [id](const StringResource& e) { return e.id == id; });
    return found != nullptr ? found->text : nullptr;
}

const PictureResource* FindPictureResource(ResourceKind kind, int32_t id)
{
    return Find(&ResourceTables::pictures,
                [kind, id](const PictureResource& e) { return e.kind == kind && e.id == id; });
}

const ToolbarResource* FindToolbarResource(int32_t id)
{
    return Find(&ResourceTables::toolbars, [id](const ToolbarResource& e) { return e.id == id; });
}
