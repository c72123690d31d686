// SPDX-License-Identifier: MIT
#pragma once

#include "Dpi.h"

#include <windows.h>

#include <optional>
#include <string>

namespace twinvane::ui::win32 {

// Owns one window and destroys it with itself, unless the system destroyed
// it first (a child goes with its parent). A control registers itself on its
// window, so the parent's WM_COMMAND and WM_NOTIFY find their way back to the
// control object: the parent's window procedure calls ReflectCommand and
// ReflectNotify and stays short.
class Wnd {
public:
    Wnd() = default;
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;
    virtual ~Wnd();

    HWND Handle() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    std::string Text() const;
    void SetText(const std::string& text);
    void SetBounds(const Rect& bounds);
    // Relative to the parent's client area, in pixels.
    Rect Bounds() const;
    void SetFont(HFONT font);
    bool IsEnabled() const;
    void SetEnabled(bool enabled);
    bool IsVisible() const;
    void SetVisible(bool visible);
    void Destroy();

    // Hands a notification to the control it came from; false when no
    // control object owns that window or it ignored the notification.
    static bool ReflectCommand(WPARAM wParam, LPARAM lParam);
    static std::optional<LRESULT> ReflectNotify(LPARAM lParam);

protected:
    // What a control's Create fills in; text is the window text.
    struct WindowParams {
        const wchar_t* className = nullptr;
        DWORD style = 0;
        DWORD exStyle = 0;
        HWND parent = nullptr;
        std::string text;
        Rect bounds;
        int id = 0;
        HFONT font = nullptr;
    };
    // Creates the window (child windows get WS_CHILD) and takes it over;
    // throws when the system refuses.
    void CreateWindowFrom(const WindowParams& params);

    // Reflected notifications: the code of a WM_COMMAND, a WM_NOTIFY header.
    virtual bool OnCommand(int /*code*/) { return false; }
    virtual std::optional<LRESULT> OnNotify(const NMHDR& /*header*/) { return std::nullopt; }

    // The window procedure to register for a window class of one's own: it
    // hands each message to the object's OnMessage once CreateWindowFrom has
    // taken the window over, and to the system's defaults before. After
    // WM_NCDESTROY the object has forgotten the window.
    static LRESULT CALLBACK RoutedProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // A window class of one's own, with the arrow pointer and RoutedProcedure.
    // Registering it again is harmless; throws when the system refuses it.
    struct ClassParams {
        const wchar_t* name = nullptr;
        HBRUSH background = nullptr; // none: the window paints all of itself
        HICON icon = nullptr;
    };
    static void RegisterRoutedClass(const ClassParams& params);

private:
    static Wnd* FromHandle(HWND window);
    void Forget() { hwnd_ = nullptr; }

    HWND hwnd_ = nullptr;
};

} // namespace twinvane::ui::win32
