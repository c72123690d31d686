// SPDX-License-Identifier: MIT
#include "Dpi.h"

namespace twinvane::ui::win32 {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Looked up at run time: the program also starts on systems older than the
// per-monitor API.
GetDpiForWindowFn FindGetDpiForWindow() {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    const FARPROC proc = user32 ? ::GetProcAddress(user32, "GetDpiForWindow") : nullptr;
    // Through the generic function type, which converts to any other.
    return reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(proc));
}

UINT ScreenDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

} // namespace

UINT WindowDpi(HWND window) {
    static const GetDpiForWindowFn getDpiForWindow = FindGetDpiForWindow();
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) {
            return dpi;
        }
    }
    return ScreenDpi();
}

int Scale(int designPixels, UINT dpi) {
    return ::MulDiv(designPixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

Rect Scale(const Rect& design, UINT dpi) {
    return {Scale(design.left, dpi), Scale(design.top, dpi), Scale(design.width, dpi),
            Scale(design.height, dpi)};
}

int Unscale(int pixels, UINT dpi) {
    const long long scaled = static_cast<long long>(pixels) * kDesignDpi;
    const long long divisor = dpi > 0 ? dpi : kDesignDpi;
    // Division that rounds toward plus infinity, for either sign.
    const long long quotient = scaled / divisor;
    return static_cast<int>(quotient * divisor < scaled ? quotient + 1 : quotient);
}

std::optional<POINT> CentredOnMonitor(HWND reference, int width, int height, MonitorArea area) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(::MonitorFromWindow(reference, MONITOR_DEFAULTTOPRIMARY), &info)) {
        return std::nullopt;
    }
    const RECT& room = area == MonitorArea::Work ? info.rcWork : info.rcMonitor;
    return POINT{room.left + (room.right - room.left - width) / 2,
                 room.top + (room.bottom - room.top - height) / 2};
}

} // namespace twinvane::ui::win32
