// SPDX-License-Identifier: MIT
#include "KURL2.h"

namespace twinvane {

TKURL2::TKURL2(KURL2View& view, platform::ShellLauncher& shell) : view_(view), shell_(shell) {
    SetHeight(kKURL2DefaultHeight);
    SetCursor(crHandPoint);
    SetHint(kKURL2DefaultHint);
    view_.StyleLabel(kKURL2LinkColor, true);
    view_.SetLabelText(kKURL2PlaceholderAddress);
    view_.SetLabelShowHint(true);
    SetWidth(view_.LabelWidth());
}

std::string TKURL2::URLorEMAIL() const {
    return view_.LabelText();
}

void TKURL2::SetURLorEMAIL(const std::string& address) {
    view_.SetLabelText(address);
    SetWidth(view_.LabelWidth());
}

bool TKURL2::ShowHint() const {
    return view_.LabelShowHint();
}

void TKURL2::SetShowHint(bool show) {
    view_.SetLabelShowHint(show);
}

void TKURL2::SetLeft(int left) {
    left_ = left;
    Place();
}

void TKURL2::SetTop(int top) {
    top_ = top;
    Place();
}

void TKURL2::SetWidth(int width) {
    width_ = width;
    Place();
}

void TKURL2::SetHeight(int height) {
    height_ = height;
    Place();
}

void TKURL2::SetCursor(TCursor cursor) {
    cursor_ = cursor;
    view_.SetControlCursor(cursor);
}

void TKURL2::SetHint(const std::string& hint) {
    hint_ = hint;
    view_.SetControlHint(hint);
}

void TKURL2::Restore(const KURL2Design& design) {
    SetLeft(design.left);
    SetTop(design.top);
    if (design.width) {
        SetWidth(*design.width);
    }
    SetHeight(design.height);
    SetCursor(design.cursor);
    SetHint(design.hint);
    SetURLorEMAIL(design.urlOrEmail);
    SetShowHint(design.showHint);
    SetChoose(design.choose);
}

void OpenAddress(platform::ShellLauncher& shell, platform::WindowHandle owner, LinkType kind,
                 const std::string& address) {
    platform::ShellRequest request;
    request.owner = owner;
    request.verb = "open";
    request.file = kind == ltEMAIL ? "mailto:" + address : address;
    request.showCommand = platform::kShowMaximized;
    static_cast<void>(shell.Execute(request));
}

void TKURL2::OpenLink() {
    OpenAddress(shell_, view_.ControlHandle(), choose_, view_.LabelText());
}

void TKURL2::Place() {
    view_.PlaceControl(left_, top_, width_, height_);
}

} // namespace twinvane
