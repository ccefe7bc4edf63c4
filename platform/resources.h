// Resources: the menus, dialog templates, strings, icons, cursors, pictures and toolbars of a
// deliverable, compiled into it as tables and asked for by kind and number, as the system asked
// its module.
//
// Contract:
// - The deliverable (or a test) installs its tables at start, before any window exists; tables
//   installed later are searched first, so a deliverable may add its own to shared ones.
// - Every lookup answers null (or an empty span) for a number that no table holds; the caller
//   takes its failure path.
// - Installed tables and what they point to outlive their use (static data, or a test's scope).
// - GUI thread for installing; lookups from any thread once installed.
#pragma once

#include "platform/ui_menu.h"

#include <cstddef>
#include <cstdint>
#include <span>

// A dialog template in dialog units; its shape belongs to the dialog toolkit.
struct DialogTemplate;

enum class ResourceKind : int32_t { Icon, Cursor, Picture };

struct MenuResource
{
    int32_t id;
    const UiMenu* menu;
};

struct DialogResource
{
    int32_t id;
    const DialogTemplate* dialog;
};

struct StringResource
{
    int32_t id;
    const char* text; // UTF-8
};

// An icon, cursor or picture: the bytes of a PNG file, or for small ones drawn by hand a glyph in
// the letters of platform/glyph_palette.h (a cursor's hot spot beside them).
struct PictureResource
{
    ResourceKind kind;
    int32_t id;
    const uint8_t* png;
    size_t size;
    int32_t hotSpotX = 0;
    int32_t hotSpotY = 0;
    std::span<const char* const> glyph = {};
};

// One tool of a toolbar: the command it sends and its glyph, drawn as rows of equal length whose
// characters name colours of the glyph palette (platform/glyph_palette.h).
struct ToolbarButton
{
    int32_t command;
    std::span<const char* const> glyph;
};

struct ToolbarResource
{
    int32_t id;
    std::span<const ToolbarButton> buttons;
};

struct ResourceTables
{
    std::span<const MenuResource> menus;
    std::span<const DialogResource> dialogs;
    std::span<const StringResource> strings;
    std::span<const PictureResource> pictures;
    std::span<const ToolbarResource> toolbars;
};

// Adds tables in front of those installed before (null does nothing).
void InstallResources(const ResourceTables* tables);
// Removes tables installed before; true when they were installed.
bool UninstallResources(const ResourceTables* tables);

const UiMenu* FindMenuResource(int32_t id);
const DialogTemplate* FindDialogResource(int32_t id);
const char* FindStringResource(int32_t id);
const PictureResource* FindPictureResource(ResourceKind kind, int32_t id);
const ToolbarResource* FindToolbarResource(int32_t id);

// Installs tables for the scope's life.
class ScopedResources
{
  public:
    explicit ScopedResources(const ResourceTables& tables) : tables_(&tables) { InstallResources(tables_); }
    ~ScopedResources() { UninstallResources(tables_); }
    ScopedResources(const ScopedResources&) = delete;
    ScopedResources& operator=(const ScopedResources&) = delete;

  private:
    const ResourceTables* tables_;
};
