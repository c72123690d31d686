// SPDX-License-Identifier: MIT
#include "MenuBar.h"

#include "Text.h"
#include "platform/Exception.h"

namespace twinvane::ui::win32 {
namespace {

ACCEL Accelerator(const Shortcut& shortcut, int id) {
    ACCEL accelerator{};
    accelerator.fVirt = FVIRTKEY | (shortcut.ctrl ? FCONTROL : 0);
    // Letters and digits are their own virtual-key codes.
    accelerator.key = shortcut.functionKey > 0 ? static_cast<WORD>(VK_F1 + shortcut.functionKey - 1)
                                               : static_cast<WORD>(shortcut.key);
    accelerator.cmd = static_cast<WORD>(id);
    return accelerator;
}

void Check(bool made, const char* what) {
    if (!made) {
        throw Exception(std::string("Cannot build the ") + what + ": " + LastErrorText());
    }
}

} // namespace

MenuBar::MenuBar(const MainWindowDesign& design) : menu_(::CreateMenu()) {
    Check(menu_ != nullptr, "menu bar");
    for (const MenuDesign& menu : design.menus) {
        const HMENU popup = ::CreatePopupMenu();
        Check(popup != nullptr, "menu bar");
        // Appended first, so the bar destroys the popup even if an item fails.
        Check(::AppendMenuW(menu_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                            ToWide(menu.caption).c_str()) != FALSE,
              "menu bar");
        for (const MenuItemDesign& item : menu.items) {
            AddItem(popup, item);
        }
    }
    if (!shortcuts_.empty()) {
        accelerators_ =
            ::CreateAcceleratorTableW(shortcuts_.data(), static_cast<int>(shortcuts_.size()));
        Check(accelerators_ != nullptr, "keyboard shortcuts");
    }
}

MenuBar::~MenuBar() {
    if (accelerators_) {
        ::DestroyAcceleratorTable(accelerators_);
    }
    if (!attached_) {
        ::DestroyMenu(menu_);
    }
}

void MenuBar::AddItem(HMENU popup, const MenuItemDesign& item) {
    if (item.separator || !item.command) {
        Check(::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr) != FALSE, "menu bar");
        return;
    }
    const int id = kFirstId + static_cast<int>(commands_.size());
    commands_.push_back(*item.command);
    std::string caption = item.caption;
    if (item.shortcut) {
        caption.append("\t").append(ShortcutText(*item.shortcut));
        shortcuts_.push_back(Accelerator(*item.shortcut, id));
    }
    const UINT state = item.enabledAtStart ? MF_ENABLED : MF_GRAYED;
    Check(::AppendMenuW(popup, MF_STRING | state, static_cast<UINT_PTR>(id),
                        ToWide(caption).c_str()) != FALSE,
          "menu bar");
}

void MenuBar::AttachTo(HWND window) {
    Check(::SetMenu(window, menu_) != FALSE, "menu bar");
    attached_ = true;
}

std::optional<Command> MenuBar::CommandOf(int id) const {
    const int index = id - kFirstId;
    if (index < 0 || index >= static_cast<int>(commands_.size())) {
        return std::nullopt;
    }
    return commands_[static_cast<std::size_t>(index)];
}

void MenuBar::SetEnabled(Command command, bool enabled) {
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        if (commands_[i] == command) {
            ::EnableMenuItem(menu_, static_cast<UINT>(kFirstId + static_cast<int>(i)),
                             MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
        }
    }
}

void MenuBar::SetChecked(Command command, bool checked) {
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        if (commands_[i] == command) {
            ::CheckMenuItem(menu_, static_cast<UINT>(kFirstId + static_cast<int>(i)),
                            MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
        }
    }
}

} // namespace twinvane::ui::win32
