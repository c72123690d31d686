// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <optional>

namespace twinvane::ui::win32 {

// The window descriptions give pixels at 96 dots per inch.
inline constexpr UINT kDesignDpi = 96;

// A place and size in pixels, relative to the parent's client area.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

// The place of a control as its description gives it.
template <class Description> Rect PlaceOf(const Description& control) {
    return {control.left, control.top, control.width, control.height};
}

// The dots per inch a window is drawn at: its monitor's where the system
// scales per monitor (Windows 10 and later), else the screen's.
UINT WindowDpi(HWND window);

// Design pixels to pixels at `dpi`, rounded to the nearest.
int Scale(int designPixels, UINT dpi);
Rect Scale(const Rect& design, UINT dpi);

// Pixels at `dpi` back to design pixels, rounded up, so that scaling the
// result again never gives less room than was measured.
int Unscale(int pixels, UINT dpi);

// Which part of a monitor a window is centred on: all of it, or the part
// that the taskbar and docked bars leave free.
enum class MonitorArea { Whole, Work };

// The top-left corner at which a window `width` by `height` pixels stands
// centred on the monitor that `reference` is on (the primary one when it is
// on none); nothing when the system cannot tell.
std::optional<POINT> CentredOnMonitor(HWND reference, int width, int height, MonitorArea area);

} // namespace twinvane::ui::win32
