// SPDX-License-Identifier: MIT
#include "AboutPicture.h"

#include "Dpi.h"
#include "Text.h"
#include "about/AboutForm.h"

#include <utility>

namespace twinvane::ui::win32 {
namespace {

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP header{};
    ::GetObjectW(bitmap, sizeof header, &header);
    return {header.bmWidth, header.bmHeight < 0 ? -header.bmHeight : header.bmHeight};
}

[[noreturn]] void RefusePicture(const std::string& path, const std::string& reason) {
    throw EPictureLoadError("Cannot load the picture \"" + path + "\": " + reason);
}

} // namespace

AboutPicture::AboutPicture(AboutPicture&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)), icon_(std::exchange(other.icon_, nullptr)),
      size_(std::exchange(other.size_, SIZE{})) {}

AboutPicture& AboutPicture::operator=(AboutPicture&& other) noexcept {
    if (this != &other) {
        Reset();
        bitmap_ = std::exchange(other.bitmap_, nullptr);
        icon_ = std::exchange(other.icon_, nullptr);
        size_ = std::exchange(other.size_, SIZE{});
    }
    return *this;
}

AboutPicture::~AboutPicture() {
    Reset();
}

void AboutPicture::Reset() {
    if (bitmap_) {
        ::DeleteObject(bitmap_);
    }
    if (icon_) {
        ::DestroyIcon(icon_);
    }
    bitmap_ = nullptr;
    icon_ = nullptr;
    size_ = {};
}

AboutPicture AboutPicture::BitmapResource(HINSTANCE module, int id) {
    AboutPicture picture;
    picture.bitmap_ = static_cast<HBITMAP>(
        ::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!picture.bitmap_) {
        throw Exception("The program's logo bitmap cannot be loaded: " + LastErrorText());
    }
    picture.size_ = BitmapSize(picture.bitmap_);
    return picture;
}

AboutPicture AboutPicture::IconResource(HINSTANCE module, int id, int designSize, UINT dpi) {
    AboutPicture picture;
    const int pixels = Scale(designSize, dpi);
    picture.icon_ = static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
    if (!picture.icon_) {
        throw Exception("The program's icon cannot be loaded: " + LastErrorText());
    }
    picture.size_ = {designSize, designSize};
    return picture;
}

AboutPicture AboutPicture::BitmapFile(const std::string& path) {
    const std::wstring wide = ToWide(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        RefusePicture(path, "the file does not exist or cannot be read (" + LastErrorText() + ")");
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        RefusePicture(path, "it is a folder");
    }
    AboutPicture picture;
    picture.bitmap_ = static_cast<HBITMAP>(::LoadImageW(nullptr, wide.c_str(), IMAGE_BITMAP, 0, 0,
                                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!picture.bitmap_) {
        RefusePicture(path, "it is not a bitmap (BMP) file, or its bitmap data is damaged");
    }
    picture.size_ = BitmapSize(picture.bitmap_);
    return picture;
}

void AboutPicture::Draw(HDC dc, int left, int top, UINT dpi) const {
    if (icon_) {
        const int pixels = Scale(size_.cx, dpi);
        ::DrawIconEx(dc, left, top, icon_, pixels, pixels, 0, nullptr, DI_NORMAL);
    } else if (bitmap_) {
        DrawBitmap(dc, left, top, dpi);
    }
}

void AboutPicture::DrawBitmap(HDC dc, int left, int top, UINT dpi) const {
    const HDC source = ::CreateCompatibleDC(dc);
    if (!source) {
        return;
    }
    const HGDIOBJ old = ::SelectObject(source, bitmap_);
    const COLORREF ground = ::GetPixel(source, 0, size_.cy - 1);
    // gdi32's own transparent blit, so the program needs no msimg32.
    ::GdiTransparentBlt(dc, left, top, Scale(size_.cx, dpi), Scale(size_.cy, dpi), source, 0, 0,
                        size_.cx, size_.cy, ground);
    ::SelectObject(source, old);
    ::DeleteDC(source);
}

} // namespace twinvane::ui::win32
