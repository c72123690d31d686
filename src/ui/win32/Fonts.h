// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>

namespace twinvane::ui::win32 {

// Owns a GDI font and deletes it. A window creates its fonts once and hands
// the handles to its controls, which never delete them.
class Font {
public:
    Font() = default;
    explicit Font(HFONT font) : font_(font) {}
    Font(Font&& other) noexcept : font_(other.Release()) {}
    Font& operator=(Font&& other) noexcept;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font();

    HFONT Get() const { return font_; }
    HFONT Release();

private:
    HFONT font_ = nullptr;
};

// The forms' font: "MS Sans Serif" at 8 points where the system has it, else
// the system's message font at the same size; ANSI character set.
inline constexpr const char* kDesignFontFace = "MS Sans Serif";
inline constexpr int kDesignFontPoints = 8;

// The typeface the design font uses on this system.
std::wstring DesignFontFace();

// The design font at `dpi`, underlined on request. Throws when the system
// cannot make it.
Font CreateDesignFont(UINT dpi, bool underlined = false);

// The size of one line of `text` drawn in `font`, in pixels.
SIZE MeasureText(HFONT font, const std::string& text);

} // namespace twinvane::ui::win32
