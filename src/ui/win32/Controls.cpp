// SPDX-License-Identifier: MIT
#include "Controls.h"

#include "Text.h"

#include <commctrl.h>

#include <vector>

namespace twinvane::ui::win32 {

void Button::Create(const CreateArgs& args) {
    Spec spec;
    spec.className = WC_BUTTONW;
    spec.style = WS_VISIBLE | WS_TABSTOP | (args.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    spec.parent = args.parent;
    spec.text = args.text;
    spec.bounds = args.bounds;
    spec.id = args.id;
    spec.font = args.font;
    CreateWindowFrom(spec);
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
    Spec spec;
    spec.className = WC_STATICW;
    spec.style = WS_VISIBLE | SS_NOPREFIX | (args.centered ? SS_CENTER : SS_LEFT);
    spec.parent = args.parent;
    spec.text = args.text;
    spec.bounds = args.bounds;
    spec.id = args.id;
    spec.font = args.font;
    CreateWindowFrom(spec);
}

void StatusBar::Create(const CreateArgs& args) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    Spec spec;
    spec.className = STATUSCLASSNAMEW;
    spec.style = WS_VISIBLE | (args.sizeGrip ? SBARS_SIZEGRIP : 0);
    spec.parent = args.parent;
    spec.id = args.id;
    spec.font = args.font;
    CreateWindowFrom(spec);
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
