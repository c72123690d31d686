// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>

namespace twinvane::ui::win32 {

// The About form's picture: a bitmap, drawn transparent where it has the
// colour of its bottom-left pixel, or an icon, drawn with its own mask.
// Owns its GDI handle. Its size is in design pixels: at another DPI it is
// drawn scaled, so the form's layout holds at every DPI.
class AboutPicture {
public:
    AboutPicture() = default;
    AboutPicture(AboutPicture&& other) noexcept;
    AboutPicture& operator=(AboutPicture&& other) noexcept;
    AboutPicture(const AboutPicture&) = delete;
    AboutPicture& operator=(const AboutPicture&) = delete;
    ~AboutPicture();

    // The bitmap resource `id` of `module`; throws Exception when the module
    // has none.
    static AboutPicture BitmapResource(HINSTANCE module, int id);
    // The icon resource `id` of `module` at `designSize` square, loaded at
    // that size scaled to `dpi`; throws Exception when the module has none.
    static AboutPicture IconResource(HINSTANCE module, int id, int designSize, UINT dpi);
    // The bitmap file `path` (bytes in the ANSI code page); throws
    // EPictureLoadError naming the file and the reason when it cannot be
    // loaded as a bitmap.
    static AboutPicture BitmapFile(const std::string& path);

    int Width() const { return size_.cx; }
    int Height() const { return size_.cy; }

    // Draws from `left`, `top` at `dpi`; the caller's DC clips it.
    void Draw(HDC dc, int left, int top, UINT dpi) const;

private:
    void DrawBitmap(HDC dc, int left, int top, UINT dpi) const;
    void Reset();

    HBITMAP bitmap_ = nullptr;
    HICON icon_ = nullptr;
    SIZE size_{};
};

} // namespace twinvane::ui::win32
