// SPDX-License-Identifier: MIT
#include "Wnd.h"

#include "Text.h"
#include "platform/Exception.h"

#include <vector>

namespace twinvane::ui::win32 {
namespace {

constexpr const wchar_t* kOwnerProperty = L"Twinvane.Wnd";

} // namespace

Wnd::~Wnd() {
    Destroy();
}

void Wnd::Destroy() {
    if (hwnd_ && ::IsWindow(hwnd_)) {
        ::RemovePropW(hwnd_, kOwnerProperty);
        ::DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

void Wnd::CreateWindowFrom(const WindowParams& params) {
    Destroy();
    const DWORD style = params.parent ? params.style | WS_CHILD : params.style;
    const std::wstring text = ToWide(params.text);
    const HWND window =
        ::CreateWindowExW(params.exStyle, params.className, text.c_str(), style, params.bounds.left,
                          params.bounds.top, params.bounds.width, params.bounds.height,
                          params.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(params.id)),
                          ::GetModuleHandleW(nullptr), static_cast<Wnd*>(this));
    if (!window) {
        throw Exception("Cannot create a window: " + LastErrorText());
    }
    hwnd_ = window;
    ::SetPropW(window, kOwnerProperty, this);
    if (params.font) {
        SetFont(params.font);
    }
}

LRESULT CALLBACK Wnd::RoutedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Wnd*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    // Until CreateWindowEx returns, the defaults serve.
    if (!self || self->Handle() != window) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    const LRESULT result = self->OnMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is gone: no later message may reach the object.
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->Forget();
    }
    return result;
}

void Wnd::RegisterRoutedClass(const ClassParams& params) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &RoutedProcedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hIcon = params.icon;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = params.background;
    windowClass.lpszClassName = params.name;
    if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw Exception("Cannot register the window class " + FromWide(params.name) + ": " +
                        LastErrorText());
    }
}

LRESULT Wnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

std::string Wnd::Text() const {
    const int length = ::GetWindowTextLengthW(hwnd_);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = ::GetWindowTextW(hwnd_, buffer.data(), length + 1);
    return FromWide(std::wstring_view(buffer.data(), static_cast<std::size_t>(copied)));
}

void Wnd::SetText(const std::string& text) {
    ::SetWindowTextW(hwnd_, ToWide(text).c_str());
}

void Wnd::SetBounds(const Rect& bounds) {
    ::SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect Wnd::Bounds() const {
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    // Both corners, so a mirrored parent keeps its orientation.
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&window), 2);
    return {window.left, window.top, window.right - window.left, window.bottom - window.top};
}

void Wnd::SetFont(HFONT font) {
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

bool Wnd::IsEnabled() const {
    return ::IsWindowEnabled(hwnd_) != FALSE;
}

void Wnd::SetEnabled(bool enabled) {
    ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

bool Wnd::IsVisible() const {
    return ::IsWindowVisible(hwnd_) != FALSE;
}

void Wnd::SetVisible(bool visible) {
    ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

Wnd* Wnd::FromHandle(HWND window) {
    return window ? static_cast<Wnd*>(::GetPropW(window, kOwnerProperty)) : nullptr;
}

bool Wnd::ReflectCommand(WPARAM wParam, LPARAM lParam) {
    // Menus and accelerators send no control handle.
    Wnd* control = FromHandle(reinterpret_cast<HWND>(lParam));
    return control && control->OnCommand(HIWORD(wParam));
}

std::optional<LRESULT> Wnd::ReflectNotify(LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    Wnd* control = header ? FromHandle(header->hwndFrom) : nullptr;
    return control ? control->OnNotify(*header) : std::nullopt;
}

} // namespace twinvane::ui::win32
