// SPDX-License-Identifier: MIT
#include "Controls.h"

#include "Text.h"

#include <commctrl.h>

#include <vector>

namespace twinvane::ui::win32 {

void Button::Create(const CreateArgs& args) {
    WindowParams params;
    params.className = WC_BUTTONW;
    params.style = WS_VISIBLE | WS_TABSTOP | (args.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    params.parent = args.parent;
    params.text = args.text;
    params.bounds = args.bounds;
    params.id = args.id;
    params.font = args.font;
    CreateWindowFrom(params);
    SetEnabled(args.enabled);
}

bool Button::OnCommand(int code) {
    if (code != BN_CLICKED || !onClick) {
        return false;
    }
    onClick();
    return true;
}

void Static::Create(const CreateArgs& args) {
    WindowParams params;
    params.className = WC_STATICW;
    params.style = WS_VISIBLE | SS_NOPREFIX | (args.centered ? SS_CENTER : SS_LEFT);
    params.parent = args.parent;
    params.text = args.text;
    params.bounds = args.bounds;
    params.id = args.id;
    params.font = args.font;
    CreateWindowFrom(params);
}

void StatusBar::Create(const CreateArgs& args) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    WindowParams params;
    params.className = STATUSCLASSNAMEW;
    // A part too narrow for its text shows the whole of it as its tooltip.
    params.style = WS_VISIBLE | SBARS_TOOLTIPS | (args.sizeGrip ? SBARS_SIZEGRIP : 0);
    params.parent = args.parent;
    params.id = args.id;
    params.font = args.font;
    CreateWindowFrom(params);
}

void StatusBar::SetParts(std::span<const int> widths) {
    // The control takes right edges.
    std::vector<int> edges;
    int edge = 0;
    for (const int width : widths) {
        edge = width == kRest ? -1 : edge + width;
        edges.push_back(edge);
    }
    ::SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

int StatusBar::PartCount() const {
    return static_cast<int>(::SendMessageW(Handle(), SB_GETPARTS, 0, 0));
}

void StatusBar::SetPartText(int part, const std::string& text) {
    const std::wstring wide = ToWide(text);
    ::SendMessageW(Handle(), SB_SETTEXTW, static_cast<WPARAM>(part),
                   reinterpret_cast<LPARAM>(wide.c_str()));
    ::SendMessageW(Handle(), SB_SETTIPTEXTW, static_cast<WPARAM>(part),
                   reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string StatusBar::PartText(int part) const {
    const auto length =
        LOWORD(::SendMessageW(Handle(), SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    std::wstring text(length + 1u, L'\0');
    ::SendMessageW(Handle(), SB_GETTEXTW, static_cast<WPARAM>(part),
                   reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return FromWide(text);
}

void StatusBar::Resize() {
    ::SendMessageW(Handle(), WM_SIZE, 0, 0);
}

int StatusBar::Height() const {
    return Bounds().height;
}

} // namespace twinvane::ui::win32
