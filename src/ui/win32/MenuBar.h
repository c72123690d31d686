// SPDX-License-Identifier: MIT
#pragma once

#include "app/MainWindowDesign.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace twinvane::ui::win32 {

// The main window's menu bar and its keyboard shortcuts, built from the
// window's design. Each item's command id is kFirstId plus its place among
// the design's items; separators take none. The shortcut shows after a tab
// in the item's caption, as Windows menus align it.
class MenuBar {
public:
    static constexpr int kFirstId = 1000;

    // Throws when the system cannot make the menu or the shortcut table.
    explicit MenuBar(const MainWindowDesign& design);
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;
    // Destroys the shortcut table, and the menu unless a window took it.
    ~MenuBar();

    // Gives the menu to `window`, which destroys it with itself.
    void AttachTo(HWND window);

    HMENU Handle() const { return menu_; }
    HACCEL Accelerators() const { return accelerators_; }

    // The command of a menu or shortcut id; nothing for any other id.
    std::optional<Command> CommandOf(int id) const;
    // Every item that runs `command`.
    void SetEnabled(Command command, bool enabled);
    void SetChecked(Command command, bool checked);

private:
    void AddItem(HMENU popup, const MenuItemDesign& item);

    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    bool attached_ = false;
    std::vector<Command> commands_; // by id - kFirstId
    std::vector<ACCEL> shortcuts_;
};

} // namespace twinvane::ui::win32
