// The main window's menus, declared once: every item of the main menu and the pop-up menu with
// its designer name, the menu it sits in, the language key of its caption and its designed
// caption, its kind (a choice belongs to the check-mark group of its menu), its state at start,
// its shortcut and its handler. A command without a handler is greyed out.
#pragma once

#include <QKeySequence>

#include <vector>

namespace inkwren {

class TForm1;

enum class MenuKind { submenu, command, toggle, choice, separator };

struct MenuEntry {
    const char* name;
    const char* menu;         // the designer name of the menu it is in; nullptr for the menu bar
    const char* caption_key;  // nullptr for an item whose caption never changes
    const char* caption;
    MenuKind kind;
    bool checked = false;
    bool visible = true;
    QKeySequence shortcut = {};
    void (TForm1::*handler)() = nullptr;
    QKeySequence second_shortcut = {};  // another key for the same command
};

inline constexpr auto popup_menu_name = "PopupMenu1";

// In the order the items appear.
const std::vector<MenuEntry>& menu_table();

}  // namespace inkwren
