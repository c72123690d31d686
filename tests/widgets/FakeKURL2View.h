// SPDX-License-Identifier: MIT
#pragma once

#include "widgets/KURL2View.h"

#include <string>

namespace twinvane::testing {

// An inner label whose text is 7 pixels a byte, and a window that records
// what the control asks of it.
class FakeView final : public KURL2View {
public:
    static constexpr int kPixelsPerByte = 7;
    static constexpr platform::WindowHandle kHandle = 0x5150;

    std::string LabelText() const override { return text; }
    void SetLabelText(const std::string& value) override { text = value; }
    int LabelWidth() const override { return static_cast<int>(text.size()) * kPixelsPerByte; }
    bool LabelShowHint() const override { return showHint; }
    void SetLabelShowHint(bool show) override { showHint = show; }
    void StyleLabel(std::uint32_t colorBgr, bool isUnderlined) override {
        color = colorBgr;
        underlined = isUnderlined;
    }
    void PlaceControl(int l, int t, int w, int h) override {
        left = l;
        top = t;
        width = w;
        height = h;
    }
    void SetControlCursor(TCursor value) override { cursor = value; }
    void SetControlHint(const std::string& value) override { hint = value; }
    platform::WindowHandle ControlHandle() override { return kHandle; }

    std::string text;
    bool showHint = false;
    std::uint32_t color = 0;
    bool underlined = false;
    int left = -1, top = -1, width = -1, height = -1;
    TCursor cursor = crDefault;
    std::string hint;
};

} // namespace twinvane::testing
