// The main window's menus, declared once: every item of the main menu and the pop-up menu with
// its designer name, the menu it sits in, the language key of its caption and its designed
// caption, its kind (a choice belongs to the check-mark group of its menu), and what it does and
// shows. The window builds and wires its menus from this table alone.
#pragma once

#include <QKeySequence>
#include <QString>

#include <optional>
#include <vector>

#include "app/shell.h"

namespace inkwren {

class TForm1;

enum class MenuKind { submenu, command, toggle, choice, separator };

// What an item does and shows besides its caption; a row names only what its item has.
struct MenuWiring {
    // A command or toggle: its handler. A command without one is greyed out.
    void (TForm1::*handler)() = nullptr;
    // A choice: what it chooses; its check mark shows whether that is in force.
    MenuChoice choice = {};
    // A toggle: the switch its check mark shows.
    bool (*checked)(const Shell&) = nullptr;
    QKeySequence shortcut = {};
    QKeySequence second_shortcut = {};  // another key for the same command
    bool hidden = false;
    // Shown only when this holds as the window is built.
    bool (*shown)(const Shell&) = nullptr;
    // Greyed out while this does not hold; looked at as every event ends.
    bool (*enabled)(const Shell&) = nullptr;
    // A caption the shell gives rather than the language table: the item shows once it has one.
    QString (*own_caption)(const Shell&) = nullptr;
};

struct MenuEntry {
    const char* name;
    const char* menu;         // the designer name of the menu it is in; nullptr for the menu bar
    const char* caption_key;  // nullptr for an item whose caption never changes
    const char* caption;
    MenuKind kind;
    MenuWiring wiring = {};
};

inline constexpr auto popup_menu_name = "PopupMenu1";

// In the order the items appear.
const std::vector<MenuEntry>& menu_table();

// The check mark an item shows in the state the shell is in; nothing for items without one.
std::optional<bool> check_mark(const MenuEntry& entry, const Shell& shell);

}  // namespace inkwren
