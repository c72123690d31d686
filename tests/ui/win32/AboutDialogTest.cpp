// SPDX-License-Identifier: MIT
// The About dialog created for real on the Wine session's display, driven by
// the About box. The test executable carries the program's version block,
// its icon and its logo.
#include "ui/win32/AboutDialog.h"
#include "about/AboutBoxDesign.h"
#include "about/MakerLines.h"
#include "about/ProgramInfo.h"
#include "about/TVarnookAboutBox.h"
#include "platform/AppPaths.h"
#include "support/TempFolder.h"
#include "support/win32/TestWindows.h"
#include "ui/win32/Text.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace twinvane::ui::win32 {
namespace {

using testing::TextOf;

// A plain top-level window to own the dialog.
class Owner : public testing::TestForm {
public:
    Owner() : TestForm({20, 20, 300, 200}) {}
};

// Waits on a timer for the About dialog to be shown, hands it to `act`
// (which looks at it and closes it), and closes it anyway if `act` did not,
// so that a failing test cannot hang in the modal loop.
class WhenShown {
public:
    WhenShown(HWND timerWindow, std::function<void(HWND)> act)
        : window_(timerWindow), act_(std::move(act)) {
        // The timer's number is this object, which the callback gets back.
        ::SetTimer(window_, reinterpret_cast<UINT_PTR>(this), 20, &WhenShown::Tick);
    }
    WhenShown(const WhenShown&) = delete;
    WhenShown& operator=(const WhenShown&) = delete;
    ~WhenShown() { ::KillTimer(window_, reinterpret_cast<UINT_PTR>(this)); }

    bool Happened() const { return happened_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        auto* self = reinterpret_cast<WhenShown*>(id);
        const HWND dialog = ::FindWindowW(AboutDialog::kClassName, nullptr);
        if (self->happened_ || !dialog || !::IsWindowVisible(dialog)) {
            return;
        }
        self->happened_ = true;
        self->act_(dialog);
        if (::IsWindowVisible(dialog)) {
            ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        }
    }

    HWND window_;
    std::function<void(HWND)> act_;
    bool happened_ = false;
};

Rect ChildPlace(HWND child) {
    RECT window{};
    ::GetWindowRect(child, &window);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&window), 2);
    return {window.left, window.top, window.right - window.left, window.bottom - window.top};
}

HWND Child(HWND dialog, const wchar_t* className, int index) {
    HWND child = nullptr;
    for (int i = 0; i <= index; ++i) {
        child = ::FindWindowExW(dialog, child, className, nullptr);
    }
    return child;
}

// What the dialog showed, copied while it was open.
struct Seen {
    std::string caption;
    SIZE outer{};
    POINT centre{};
    LONG style = 0;
    LONG exStyle = 0;
    std::array<std::string, 4> texts;
    std::array<Rect, 4> labels;
    std::array<int, 4> textWidths{};
    Rect logo;
    Rect ok;
    std::string okText;
    bool okDefault = false;
    bool okFocused = false;
    bool ownerEnabled = true;

    void Take(HWND dialog) {
        caption = TextOf(dialog);
        RECT frame{};
        ::GetWindowRect(dialog, &frame);
        outer = {frame.right - frame.left, frame.bottom - frame.top};
        centre = {(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
        style = ::GetWindowLongW(dialog, GWL_STYLE);
        exStyle = ::GetWindowLongW(dialog, GWL_EXSTYLE);
        // The labels in their order on the form: WTitle, WCopyright,
        // WAuthor, WVersion; the picture is the fifth static.
        for (std::size_t i = 0; i < 4; ++i) {
            const HWND label = Child(dialog, L"Static", static_cast<int>(i));
            texts[i] = TextOf(label);
            labels[i] = ChildPlace(label);
            const auto font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
            textWidths[i] = MeasureText(font, texts[i]).cx;
        }
        logo = ChildPlace(Child(dialog, L"Static", 4));
        const HWND button = Child(dialog, L"Button", 0);
        ok = ChildPlace(button);
        okText = TextOf(button);
        okDefault = (::GetWindowLongW(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
        okFocused = ::GetFocus() == button;
        ownerEnabled = ::IsWindowEnabled(::GetWindow(dialog, GW_OWNER)) != FALSE;
    }
};

// A 24-bit bitmap file `width` by 60: the ground colour in the left column
// and the bottom row, elsewhere a colour that tells its column.
void WriteBitmap(const std::string& path, int width) {
    const int height = 60;
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride * height));
    for (int y = 0; y < height; ++y) { // bottom row first
        for (int x = 0; x < width; ++x) {
            std::uint8_t* bgr = &pixels[static_cast<std::size_t>(y * stride + x * 3)];
            const bool ground = x == 0 || y == 0;
            bgr[0] = ground ? 3 : static_cast<std::uint8_t>(x);
            bgr[1] = ground ? 2 : 200;
            bgr[2] = ground ? 1 : 100;
        }
    }
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    bytes.append(pixels.begin(), pixels.end());
    testing::WriteFile(path, bytes);
}

class AboutDialogTest : public ::testing::Test {
protected:
    AboutDialogTest() { forms.SetOwner(owner.Handle()); }

    Owner owner;
    AboutDialogFactory forms{::GetModuleHandleW(nullptr)};
};

TEST_F(AboutDialogTest, TheMainWindowsAboutBoxIsBuiltAsComputedAndOkAnswersTrue) {
    TVarnookAboutBox box(forms);
    ApplyMainWindowAboutDesign(box);
    box.SetFilename(platform::RunningExecutablePath());
    Seen seen;
    const WhenShown shown(owner.Handle(), [&seen](HWND dialog) {
        seen.Take(dialog);
        ::SendMessageW(Child(dialog, L"Button", 0), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(box.Execute());
    ASSERT_TRUE(shown.Happened());

    EXPECT_EQ(seen.caption, "Twinvane");
    EXPECT_EQ(seen.outer.cx, 160);
    EXPECT_EQ(seen.outer.cy, 182);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(owner.Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_NEAR(seen.centre.x, (monitor.rcWork.left + monitor.rcWork.right) / 2, 1);
    EXPECT_NEAR(seen.centre.y, (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 1);
    EXPECT_TRUE(seen.style & WS_SYSMENU);
    EXPECT_FALSE(seen.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(seen.exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(seen.ownerEnabled) << "modal: the owner takes no input";

    const std::array<std::string, 4> texts = {"Twinvane", kMakerCopyright, kMakerAuthor,
                                              std::string("Version ") + kProgramVersion};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(seen.texts[i], texts[i]);
        EXPECT_EQ(seen.labels[i].top, 15 + 15 * static_cast<int>(i)) << texts[i];
        EXPECT_GT(seen.labels[i].width, 0) << texts[i];
        EXPECT_EQ(seen.labels[i].width, seen.textWidths[i]) << "as wide as its text";
        EXPECT_EQ(seen.labels[i].left, 80 - seen.labels[i].width / 2) << texts[i];
    }
    EXPECT_EQ(seen.logo, (Rect{64, 80, 137, 121}));
    EXPECT_EQ(seen.ok, (Rect{30, 122, 100, 25}));
    EXPECT_EQ(seen.okText, "OK");
    EXPECT_TRUE(seen.okDefault);
    EXPECT_TRUE(seen.okFocused);
    EXPECT_TRUE(::IsWindowEnabled(owner.Handle())) << "the owner is given back its input";
    EXPECT_EQ(::FindWindowW(AboutDialog::kClassName, nullptr), nullptr) << "the form is released";
    EXPECT_EQ(box.Height(), 182);
    EXPECT_EQ(box.Width(), 160);
}

TEST_F(AboutDialogTest, OnlyTheOkButtonAndEnterAnswerTrue) {
    const struct {
        const char* how;
        std::function<void(HWND)> close;
        bool result;
    } cases[] = {
        {"OK button",
         [](HWND dialog) { ::SendMessageW(Child(dialog, L"Button", 0), BM_CLICK, 0, 0); }, true},
        // Keys reach the focused control through the queue, as typed ones do.
        {"Enter", [](HWND) { ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1); }, true},
        {"Escape", [](HWND) { ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1); }, false},
        {"close box", [](HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
         false},
    };
    TVarnookAboutBox box(forms);
    for (const auto& each : cases) {
        const WhenShown shown(owner.Handle(), each.close);
        EXPECT_EQ(box.Execute(), each.result) << each.how;
        EXPECT_TRUE(shown.Happened()) << each.how;
    }
}

TEST_F(AboutDialogTest, PicturesAreMeasuredAndABadFileIsRefusedWithItsNameAndReason) {
    testing::TempFolder temp;
    const std::string wide = temp / "wide.bmp";
    WriteBitmap(wide, 200);
    const std::string text = temp / "notes.bmp";
    testing::WriteFile(text, "not a picture");

    AboutDialog form(::GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(form.PictureWidth(), 147) << "the built-in logo";
    EXPECT_EQ(form.PictureHeight(), 120);
    const struct {
        std::string path;
        const char* reason;
    } refused[] = {
        {temp / "missing.bmp", "does not exist"},
        {text, "not a bitmap"},
        {temp.Path().string(), "folder"},
    };
    for (const auto& each : refused) {
        try {
            form.LoadPictureFromFile(each.path);
            ADD_FAILURE() << each.path << " was loaded";
        } catch (const EPictureLoadError& error) {
            EXPECT_NE(error.Message().find(each.path), std::string::npos) << error.Message();
            EXPECT_NE(error.Message().find(each.reason), std::string::npos) << error.Message();
        }
        EXPECT_EQ(form.PictureWidth(), 147) << "the picture is left as it was";
    }
    form.LoadPictureFromFile(wide);
    EXPECT_EQ(form.PictureWidth(), 200);
    EXPECT_EQ(form.PictureHeight(), 60);
    form.ShowApplicationIcon();
    EXPECT_EQ(form.PictureWidth(), 32);
    EXPECT_EQ(form.PictureHeight(), 32);
}

TEST_F(AboutDialogTest, NameAndVersionComeFromTheRunningExecutable) {
    TVarnookAboutBox box(forms);
    EXPECT_EQ(box.GetAppName(), "Twinvane");
    EXPECT_EQ(box.GetAppVersion(), kProgramVersion);
    EXPECT_EQ(forms.ApplicationTitle(), "Twinvane");
}

} // namespace
} // namespace twinvane::ui::win32
