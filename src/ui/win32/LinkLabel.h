// SPDX-License-Identifier: MIT
#pragma once

#include "Fonts.h"
#include "Wnd.h"
#include "widgets/KURL2View.h"

#include <functional>
#include <string>

namespace twinvane::ui::win32 {

// The hyperlink label as a window class of its own ("TwinvaneLink"): the
// address as text in its own underlined font and colour at the top left,
// under a hand pointer, reachable with Tab and drawn with a focus rectangle
// then. A click on the text (not beside it), Enter or Space activates it.
// It is the view a TKURL2 drives: what activation opens is the owner's
// business, through onActivate. The window text is the address, and screen
// readers find a link named by it.
//
// Places and sizes reach it in design pixels and are scaled to the parent's
// DPI. Create it before a TKURL2 takes it; settings made earlier are kept and
// applied then.
class LinkLabel : public Wnd, public KURL2View {
public:
    static constexpr const wchar_t* kClassName = L"TwinvaneLink";

    struct CreateArgs {
        HWND parent = nullptr;
        int id = 0;
        bool visible = true;
    };

    LinkLabel();
    ~LinkLabel() override;
    void Create(const CreateArgs& args);

    // Called on a click on the text, Enter, Space, or a screen reader's
    // default action.
    std::function<void()> onActivate;

    // The text's area in the control's client coordinates, in pixels.
    RECT TextRect() const;

    // KURL2View
    std::string LabelText() const override;
    void SetLabelText(const std::string& text) override;
    int LabelWidth() const override;
    bool LabelShowHint() const override;
    void SetLabelShowHint(bool show) override;
    void StyleLabel(std::uint32_t colorBgr, bool underlined) override;
    void PlaceControl(int left, int top, int width, int height) override;
    void SetControlCursor(TCursor cursor) override;
    void SetControlHint(const std::string& hint) override;
    platform::WindowHandle ControlHandle() override;

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC dc);
    bool OnText(LPARAM point) const;
    void Activate();
    void Remeasure();
    void ApplyPlace();
    void UpdateHint();

    UINT dpi_ = kDesignDpi;
    Font font_;
    std::string text_; // as given, byte for byte; the window text follows it
    SIZE textSize_{};
    COLORREF color_ = RGB(0, 0, 0);
    bool underlined_ = false;
    Rect place_; // design pixels
    TCursor cursor_ = crDefault;
    std::string hint_;
    bool showHint_ = true;
    bool pressed_ = false;
    HWND tooltip_ = nullptr; // destroyed with the control's window
};

} // namespace twinvane::ui::win32
