// SPDX-License-Identifier: MIT
#pragma once

#include "Wnd.h"

#include <functional>
#include <span>
#include <string>

namespace twinvane::ui::win32 {

// The standard controls the windows are built from. Places and sizes are in
// pixels at the parent's DPI (Scale turns design numbers into them); fonts
// belong to the window, which outlives its controls.

struct Button : Wnd {
    struct CreateArgs {
        HWND parent = nullptr;
        std::string text; // "&" marks the mnemonic
        Rect bounds;
        int id = 0;
        HFONT font = nullptr;
        bool isDefault = false; // answers Enter in a dialog
        bool enabled = true;
    };
    void Create(const CreateArgs& args);

    // Called when the button is pressed (BN_CLICKED, reflected).
    std::function<void()> onClick;

protected:
    bool OnCommand(int code) override;
};

struct Static : Wnd {
    struct CreateArgs {
        HWND parent = nullptr;
        std::string text; // shown as it is: "&" is no mnemonic
        Rect bounds;
        int id = 0;
        HFONT font = nullptr;
        bool centered = false;
    };
    void Create(const CreateArgs& args);
};

// The common-controls status bar at the bottom of its parent.
struct StatusBar : Wnd {
    static constexpr int kRest = -1; // a part that takes the remaining width

    struct CreateArgs {
        HWND parent = nullptr;
        int id = 0;
        HFONT font = nullptr;
        bool sizeGrip = true;
    };
    void Create(const CreateArgs& args);

    // Widths in pixels, left to right; the last may be kRest.
    void SetParts(std::span<const int> widths);
    int PartCount() const;
    void SetPartText(int part, const std::string& text);
    std::string PartText(int part) const;
    // Follows the parent's new size; call from its WM_SIZE.
    void Resize();
    int Height() const;
};

} // namespace twinvane::ui::win32
