// SPDX-License-Identifier: MIT
#pragma once

#include "Cursor.h"
#include "platform/Shell.h"

#include <cstdint>
#include <string>

namespace twinvane {

// What a hyperlink label needs from the toolkit: its inner label, which holds
// the address and sizes itself to it, and its own window. A front end's link
// control implements it; tests use a fake.
class KURL2View {
public:
    virtual ~KURL2View() = default;

    // The inner label's text, exactly as last set.
    virtual std::string LabelText() const = 0;

    // Sets the inner label's text; the label then sizes itself to it.
    virtual void SetLabelText(const std::string& text) = 0;

    // The inner label's width in pixels, as sized to its text.
    virtual int LabelWidth() const = 0;

    // Whether a pause over the inner label shows the control's hint.
    virtual bool LabelShowHint() const = 0;
    virtual void SetLabelShowHint(bool show) = 0;

    // Gives the inner label its own font colour (0x00BBGGRR) and underline,
    // independent of the fonts of the control and the form around it.
    virtual void StyleLabel(std::uint32_t colorBgr, bool underlined) = 0;

    // Moves and sizes the control itself.
    virtual void PlaceControl(int left, int top, int width, int height) = 0;

    virtual void SetControlCursor(TCursor cursor) = 0;
    virtual void SetControlHint(const std::string& hint) = 0;

    // The control's native window, created now if it does not exist yet,
    // also while the control is hidden. Never changes its visibility.
    virtual platform::WindowHandle ControlHandle() = 0;
};

} // namespace twinvane
