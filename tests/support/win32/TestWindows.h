// SPDX-License-Identifier: MIT
#pragma once

#include "ui/win32/Text.h"
#include "ui/win32/Wnd.h"

#include <gtest/gtest.h>

#include <string>

namespace twinvane::testing {

// A plain visible top-level window at `bounds`, to hold a control or own a
// dialog under test.
class TestForm : public ui::win32::Wnd {
public:
    explicit TestForm(const ui::win32::Rect& bounds) {
        static const ATOM registered = [] {
            WNDCLASSEXW form{};
            form.cbSize = sizeof form;
            form.lpfnWndProc = ::DefWindowProcW;
            form.hInstance = ::GetModuleHandleW(nullptr);
            form.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
            form.lpszClassName = L"TwinvaneTestForm";
            return ::RegisterClassExW(&form);
        }();
        EXPECT_NE(registered, 0);
        WindowParams params;
        params.className = L"TwinvaneTestForm";
        params.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        params.bounds = bounds;
        CreateWindowFrom(params);
    }
};

// The window text of `window`, as the program's own text.
inline std::string TextOf(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return ui::win32::FromWide(text);
}

} // namespace twinvane::testing
