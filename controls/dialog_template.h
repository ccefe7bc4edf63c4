// Dialog templates as the toolkit reads them from the resource tables (platform/resources.h): the
// window's kind, size and title in dialog units, and its items in Tab order, each with its id,
// kind, place in dialog units and text.
#pragma once

#include "controls/control_window_factory.h"
#include "platform/raster_bitmap.h"

#include <cstdint>
#include <span>

enum class DialogItemKind : int32_t {
    kLabel,      // static text
    kCheckbox,   // a button with the automatic check-box style
    kPushButton, // a plain push button
    kSpin,       // a plain push button that a spin control takes over
    kSpinXY,     // the same for a two-axis spin control
    kEdit,       // a bordered field that scrolls its text sideways
    kSeparator,  // an etched horizontal line
};

// Labels carry no id.
inline constexpr int32_t kNoItemId = -1;

// x, y, width and height in dialog units, as templates give them.
struct DialogUnits
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct DialogItem
{
    int32_t id = kNoItemId;
    DialogItemKind kind = DialogItemKind::kLabel;
    DialogUnits place;
    const char* text = "";
    bool readOnly = false;
};

struct DialogTemplate
{
    int32_t id = 0;
    ControlWindowKind kind = ControlWindowKind::kPanel;
    int32_t widthUnits = 0;
    int32_t heightUnits = 0;
    const char* title = "";
    std::span<const DialogItem> items;
};

// The installed template of that id; null for an unknown id.
const DialogTemplate* FindDialogTemplate(int32_t id);
// The item of that id; null when the template has none.
const DialogItem* FindDialogItem(const DialogTemplate& dialog, int32_t id);
// Dialog units to pixels of the dialog font.
RasterRect DialogUnitsToPixels(const DialogUnits& units);
// The window that stands for an item: its kind, rectangle in pixels, text and Tab stop.
ControlWindowSpec DialogItemWindowSpec(const DialogItem& item);
