// SPDX-License-Identifier: MIT
#include "LinkLabel.h"

#include "LinkAccessible.h"
#include "Text.h"
#include "platform/Exception.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <utility>

namespace twinvane::ui::win32 {
namespace {

// Posted by the accessible object: a screen reader's default action must not
// wait for what the activation starts.
constexpr UINT kActivateMessage = WM_USER + 1;

} // namespace

LinkLabel::LinkLabel() : dpi_(WindowDpi(nullptr)), font_(CreateDesignFont(dpi_)) {}

LinkLabel::~LinkLabel() {
    // Here, while the members the window procedure uses still exist.
    Destroy();
}

void LinkLabel::Create(const CreateArgs& args) {
    // No CS_DBLCLKS: a quick second click is a second click.
    RegisterRoutedClass({.name = kClassName});
    dpi_ = WindowDpi(args.parent);
    font_ = CreateDesignFont(dpi_, underlined_);
    textSize_ = MeasureText(font_.Get(), text_);
    WindowParams params;
    params.className = kClassName;
    params.style = WS_TABSTOP | (args.visible ? WS_VISIBLE : 0);
    params.parent = args.parent;
    params.text = text_;
    params.id = args.id;
    CreateWindowFrom(params);
    ApplyPlace();
    UpdateHint();
}

RECT LinkLabel::TextRect() const {
    return {0, 0, textSize_.cx, textSize_.cy};
}

std::string LinkLabel::LabelText() const {
    return text_;
}

void LinkLabel::SetLabelText(const std::string& text) {
    text_ = text;
    if (Handle()) {
        SetText(text);
    }
    Remeasure();
}

int LinkLabel::LabelWidth() const {
    return Unscale(textSize_.cx, dpi_);
}

bool LinkLabel::LabelShowHint() const {
    return showHint_;
}

void LinkLabel::SetLabelShowHint(bool show) {
    showHint_ = show;
    UpdateHint();
}

void LinkLabel::StyleLabel(std::uint32_t colorBgr, bool underlined) {
    // 0x00BBGGRR is the COLORREF layout.
    color_ = static_cast<COLORREF>(colorBgr);
    if (underlined != underlined_) {
        underlined_ = underlined;
        font_ = CreateDesignFont(dpi_, underlined_);
    }
    Remeasure();
}

void LinkLabel::PlaceControl(int left, int top, int width, int height) {
    place_ = {left, top, width, height};
    ApplyPlace();
}

void LinkLabel::SetControlCursor(TCursor cursor) {
    cursor_ = cursor;
}

void LinkLabel::SetControlHint(const std::string& hint) {
    hint_ = hint;
    UpdateHint();
}

platform::WindowHandle LinkLabel::ControlHandle() {
    return reinterpret_cast<platform::WindowHandle>(Handle());
}

void LinkLabel::Remeasure() {
    textSize_ = MeasureText(font_.Get(), text_);
    if (Handle()) {
        ApplyPlace();
        UpdateHint();
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void LinkLabel::ApplyPlace() {
    if (!Handle()) {
        return;
    }
    Rect bounds = Scale(place_, dpi_);
    // Height 13 fits an 8-point line at 96 DPI; a larger font keeps its
    // underline and descenders.
    bounds.height = std::max(bounds.height, static_cast<int>(textSize_.cy));
    SetBounds(bounds);
}

void LinkLabel::UpdateHint() {
    if (!Handle()) {
        return;
    }
    const bool wanted = showHint_ && !hint_.empty();
    if (!tooltip_ && wanted) {
        // Windows makes the top-level window its owner, so the control
        // destroys it itself.
        tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
    }
    if (!tooltip_) {
        return;
    }
    TTTOOLINFOW tool{};
    // The size every common-controls version takes.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = 1;
    tool.rect = TextRect(); // only the text shows the hint
    ::SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (wanted) {
        std::wstring text = ToWide(hint_);
        tool.lpszText = text.data();
        ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

bool LinkLabel::OnText(LPARAM point) const {
    const RECT text = TextRect();
    const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    return ::PtInRect(&text, at) != FALSE;
}

void LinkLabel::Activate() {
    if (!onActivate) {
        return;
    }
    // The owner's handler reports its own errors; this is the last stop
    // before the window procedure, which no exception may cross.
    try {
        onActivate();
    } catch (const std::exception& error) {
        ::MessageBoxW(::GetAncestor(Handle(), GA_ROOT), ToWide(error.what()).c_str(), L"Twinvane",
                      MB_OK | MB_ICONERROR);
    }
}

void LinkLabel::Draw(HDC dc) {
    // The parent's background, as for a static control.
    auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(Handle()), WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(Handle())));
    if (!brush) {
        brush = ::GetSysColorBrush(COLOR_BTNFACE);
    }
    RECT client;
    ::GetClientRect(Handle(), &client);
    ::FillRect(dc, &client, brush);

    const HGDIOBJ oldFont = ::SelectObject(dc, font_.Get());
    ::SetTextColor(dc, color_);
    ::SetBkMode(dc, TRANSPARENT);
    RECT text = TextRect();
    const std::wstring wide = ToWide(text_);
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &text,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    const auto uiState = ::SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0);
    if (::GetFocus() == Handle() && (uiState & UISF_HIDEFOCUS) == 0) {
        ::DrawFocusRect(dc, &text);
    }
    ::SelectObject(dc, oldFont);
}

LRESULT LinkLabel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = Handle();
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        Draw(::BeginPaint(window, &paint));
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        Draw(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_.Get());
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && cursor_ == crHandPoint) {
            ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        if (OnText(lParam)) {
            ::SetFocus(window);
            ::SetCapture(window);
            pressed_ = true;
        }
        return 0;
    case WM_LBUTTONUP:
        if (pressed_) {
            // Pressed on the text and let go beside it: no activation.
            const bool onText = OnText(lParam);
            ::ReleaseCapture();
            if (onText) {
                Activate();
            }
        }
        return 0;
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    case WM_GETDLGCODE: {
        // Enter is the link's, not the dialog's default button's.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
            return DLGC_WANTMESSAGE;
        }
        return 0;
    }
    case WM_KEYDOWN:
        // Bit 30 set: the key was down already, an auto-repeat.
        if ((wParam == VK_RETURN || wParam == VK_SPACE) && (lParam & (1 << 30)) == 0) {
            Activate();
            return 0;
        }
        break;
    case kActivateMessage:
        Activate();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ::InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_UPDATEUISTATE:
        ::InvalidateRect(window, nullptr, TRUE);
        break;
    case WM_DPICHANGED_AFTERPARENT:
        try {
            Font font = CreateDesignFont(WindowDpi(window), underlined_);
            font_ = std::move(font);
            dpi_ = WindowDpi(window);
        } catch (const Exception&) {
            // The old font stays: smaller or larger than the rest, but drawn.
        }
        Remeasure();
        return 0;
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
            if (const LRESULT answer = AnswerLinkAccessibility(window, wParam, kActivateMessage)) {
                return answer;
            }
        }
        break;
    case WM_DESTROY:
        if (tooltip_) {
            ::DestroyWindow(tooltip_);
            tooltip_ = nullptr;
        }
        break;
    case WM_NCDESTROY:
        pressed_ = false;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace twinvane::ui::win32
