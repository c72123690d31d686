// SPDX-License-Identifier: MIT
#pragma once

#include "Cursor.h"
#include "KURL2View.h"
#include "platform/ShellLauncher.h"

#include <cstdint>
#include <optional>
#include <string>

namespace twinvane {

enum LinkType {
    ltURL = 0,   // a web address, opened unchanged
    ltEMAIL = 1, // an e-mail address, opened with "mailto:" in front
};

// What a new link control shows until it is given an address.
inline constexpr const char* kKURL2PlaceholderAddress = "https://www.example.com/";
inline constexpr const char* kKURL2DefaultHint = "Put here the Hint for your site link!";
inline constexpr int kKURL2DefaultHeight = 13;
// Pure blue in the 0x00BBGGRR layout.
inline constexpr std::uint32_t kKURL2LinkColor = 0xFF0000;

// Hands `address` to the shell as a link of `kind` opens it: the verb "open",
// maximized, owned by `owner`, "mailto:" in front for ltEMAIL and nothing else
// done to the text. Does not wait and ignores the shell's answer: the browser
// or mail program reports its own failures. An error the launcher raises
// passes to the caller.
void OpenAddress(platform::ShellLauncher& shell, platform::WindowHandle owner, LinkType kind,
                 const std::string& address);

// A control's properties as a form stores them, in the order it restores them.
struct KURL2Design {
    int left = 0;
    int top = 0;
    std::optional<int> width; // absent: keep the current width
    int height = kKURL2DefaultHeight;
    TCursor cursor = crHandPoint;
    std::string hint = kKURL2DefaultHint;
    std::string urlOrEmail;
    bool showHint = true;
    LinkType choose = ltURL;
};

// A label that shows a web or e-mail address and opens it through the shell.
// The address lives in the view's inner label only; the control keeps no
// copy. The view and the launcher must outlive the control.
class TKURL2 {
public:
    // Sets up a new control: height 13, hand pointer, the default hint, a
    // blue underlined label showing the placeholder address, and the width
    // of that label.
    explicit TKURL2(KURL2View& view, platform::ShellLauncher& shell = platform::SystemShell());
    TKURL2(const TKURL2&) = delete;
    TKURL2& operator=(const TKURL2&) = delete;

    // The inner label's text; writing it also makes the control as wide as
    // the label then is.
    std::string URLorEMAIL() const;
    void SetURLorEMAIL(const std::string& address);

    bool ShowHint() const;
    void SetShowHint(bool show);

    LinkType Choose() const { return choose_; }
    void SetChoose(LinkType choose) { choose_ = choose; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);

    // Applies a stored design in the form's order; the address comes after
    // the width, so the control ends as wide as its text.
    void Restore(const KURL2Design& design);

    // Opens the label's text through OpenAddress, owned by the control's own
    // window; works while hidden.
    void OpenLink();

private:
    void Place();

    KURL2View& view_;
    platform::ShellLauncher& shell_;
    LinkType choose_ = ltURL;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TCursor cursor_ = crDefault;
    std::string hint_;
};

} // namespace twinvane
