// SPDX-License-Identifier: MIT
#include "Fonts.h"

#include "Text.h"
#include "platform/Exception.h"

#include <cwchar>

namespace twinvane::ui::win32 {
namespace {

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0; // one is enough
}

bool FamilyInstalled(const std::wstring& face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(query.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    bool found = false;
    const HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(screen, &query, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

} // namespace

Font& Font::operator=(Font&& other) noexcept {
    if (this != &other) {
        Font old(font_);
        font_ = other.Release();
    }
    return *this;
}

Font::~Font() {
    if (font_) {
        ::DeleteObject(font_);
    }
}

HFONT Font::Release() {
    const HFONT font = font_;
    font_ = nullptr;
    return font;
}

std::wstring DesignFontFace() {
    std::wstring face = ToWide(kDesignFontFace);
    if (FamilyInstalled(face)) {
        return face;
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        face = metrics.lfMessageFont.lfFaceName;
    }
    return face;
}

Font CreateDesignFont(UINT dpi, bool underlined) {
    LOGFONTW design{};
    design.lfHeight = -::MulDiv(kDesignFontPoints, static_cast<int>(dpi), 72);
    design.lfWeight = FW_NORMAL;
    design.lfUnderline = underlined ? TRUE : FALSE;
    design.lfCharSet = ANSI_CHARSET;
    const std::wstring face = DesignFontFace();
    std::wcsncpy(design.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    Font font(::CreateFontIndirectW(&design));
    if (!font.Get()) {
        throw Exception("Cannot create the font " + FromWide(face) + ": " + LastErrorText());
    }
    return font;
}

SIZE MeasureText(HFONT font, const std::string& text) {
    const std::wstring wide = ToWide(text);
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(screen, font);
    RECT bounds{};
    // DrawText measures the way the controls draw: with the font's own
    // overhang, and zero wide for empty text.
    ::DrawTextW(screen, wide.c_str(), static_cast<int>(wide.size()), &bounds,
                DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

} // namespace twinvane::ui::win32
