#include "platform/wx/menu_wx.h"

#include "platform/ui_input.h"

#include <gtk/gtk.h>
#include <wx/menu.h>

#include <array>
#include <cctype>
#include <cstring>
#include <string_view>

namespace {

struct KeyName
{
    std::string_view text;
    const char* symbol;
};

// The key names of the menus' shortcut texts and the window system's names for them.
constexpr std::array kKeyNames{KeyName{"Return", "Return"}, KeyName{"Enter", "Return"},
                               KeyName{"Space", "space"},   KeyName{"Del", "Delete"},
                               KeyName{"Up", "Up"},         KeyName{"Down", "Down"},
                               KeyName{"Home", "Home"},     KeyName{"End", "End"},
                               KeyName{"->", "Right"},      KeyName{"<-", "Left"}};

bool EqualFolded(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

uint32_t KeySymbol(std::string_view name)
{
    for (const KeyName& known : kKeyNames) {
        if (EqualFolded(name, known.text))
            return gdk_keyval_from_name(known.symbol);
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return gdk_unicode_to_keyval(static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(name[0]))));
    const bool function = name.size() >= 2 && (name[0] == 'F' || name[0] == 'f') &&
                          std::isdigit(static_cast<unsigned char>(name[1]));
    if (function)
        return gdk_keyval_from_name(("F" + std::string(name.substr(1))).c_str());
    return 0;
}

bool Modifier(std::string_view name, uint32_t& modifiers)
{
    if (EqualFolded(name, "Ctrl"))
        modifiers |= kUiCtrl;
    else if (EqualFolded(name, "Alt"))
        modifiers |= kUiAlt;
    else if (EqualFolded(name, "Shift"))
        modifiers |= kUiShift;
    else
        return false;
    return true;
}

// Puts the shortcut beside the item as its accelerator label's text, without an accelerator.
void ShowShortcut(wxMenuItem& item, const std::string& text)
{
    MenuShortcut shortcut;
    GtkWidget* widget = item.GetMenuItem();
    if (widget == nullptr || !ParseMenuShortcut(text, shortcut))
        return;
    GtkWidget* label = gtk_bin_get_child(GTK_BIN(widget));
    if (label == nullptr || !GTK_IS_ACCEL_LABEL(label))
        return;
    int modifiers = 0;
    if (shortcut.modifiers & kUiCtrl)
        modifiers |= GDK_CONTROL_MASK;
    if (shortcut.modifiers & kUiAlt)
        modifiers |= GDK_MOD1_MASK;
    if (shortcut.modifiers & kUiShift)
        modifiers |= GDK_SHIFT_MASK;
    gtk_accel_label_set_accel(GTK_ACCEL_LABEL(label), shortcut.key, static_cast<GdkModifierType>(modifiers));
}

} // namespace

wxString MenuLabel(const std::string& text)
{
    return wxString::FromUTF8(text).BeforeFirst('\t');
}

bool ParseMenuShortcut(const std::string& text, MenuShortcut& shortcut)
{
    shortcut = {};
    std::string_view rest = text;
    // Modifiers end at "+", or at a space before the arrows of "Ctrl ->".
    for (size_t end = rest.find_first_of("+ "); end != std::string_view::npos && end + 1 < rest.size();
         end = rest.find_first_of("+ ")) {
        if (!Modifier(rest.substr(0, end), shortcut.modifiers))
            return false;
        rest.remove_prefix(end + 1);
    }
    shortcut.key = KeySymbol(rest);
    return shortcut.key != 0;
}

void AppendMenuItems(wxMenu& menu, const std::vector<UiMenuItem>& items, std::map<int, int32_t>& commands,
                     const std::function<bool(int32_t id)>& checkable)
{
    for (const UiMenuItem& item : items) {
        switch (item.kind) {
        case UiMenuItem::Kind::Separator:
            menu.AppendSeparator();
            break;
        case UiMenuItem::Kind::SubMenu: {
            auto* sub = new wxMenu;
            AppendMenuItems(*sub, item.items, commands, checkable);
            menu.AppendSubMenu(sub, MenuLabel(item.text));
            break;
        }
        case UiMenuItem::Kind::Command: {
            const int toolkitId = wxWindow::NewControlId();
            commands[toolkitId] = item.id;
            const bool check = item.checked || (checkable && checkable(item.id));
            wxMenuItem* added =
                menu.Append(toolkitId, MenuLabel(item.text), wxEmptyString, check ? wxITEM_CHECK : wxITEM_NORMAL);
            if (item.checked)
                added->Check(true);
            added->Enable(item.enabled);
            const size_t tab = item.text.find('\t');
            if (tab != std::string::npos)
                ShowShortcut(*added, item.text.substr(tab + 1));
            break;
        }
        }
    }
}
