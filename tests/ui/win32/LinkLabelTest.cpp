// SPDX-License-Identifier: MIT
#include "ui/win32/LinkLabel.h"
#include "support/RecordingLauncher.h"
#include "support/win32/TestWindows.h"
#include "ui/win32/Text.h"
#include "widgets/KURL2.h"
#include "widgets/MakerLinks.h"

#include <commctrl.h>
#include <ole2.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace twinvane::ui::win32 {
namespace {

using testing::RecordingLauncher;

// A plain top-level window to hold the control.
class Form : public testing::TestForm {
public:
    Form() : TestForm({40, 40, 400, 200}) {}
};

MSG Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG sent{};
    sent.hwnd = window;
    sent.message = message;
    sent.wParam = wParam;
    sent.lParam = lParam;
    return sent;
}

std::string WindowTextA(HWND window) {
    char buffer[256] = {};
    const auto length = ::SendMessageA(window, WM_GETTEXT, sizeof buffer, LPARAM(buffer));
    return std::string(buffer, static_cast<std::size_t>(length));
}

// The control drawn into a 32-bit bitmap, pixels as 0x00RRGGBB.
std::vector<std::uint32_t> Picture(HWND window, SIZE size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SendMessageW(window, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> picture(pixels, pixels + size.cx * size.cy);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return picture;
}

int Count(const std::vector<std::uint32_t>& picture, std::uint32_t colour) {
    return static_cast<int>(std::count(picture.begin(), picture.end(), colour));
}

class LinkLabelTest : public ::testing::Test {
protected:
    LinkLabelTest() {
        label.Create({form.Handle(), 7});
        link.emplace(label, shell);
        label.onActivate = [this] {
            link->OpenLink();
        };
        // Focus cues shown, as after keyboard use.
        ::SendMessageW(form.Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }

    HWND Window() const { return label.Handle(); }
    LPARAM Point(int x, int y) const { return MAKELPARAM(x, y); }

    Form form;
    LinkLabel label;
    RecordingLauncher shell;
    std::optional<TKURL2> link;
};

TEST_F(LinkLabelTest, ShowsTheAddressAsABlueUnderlinedLinkUnderAHandPointer) {
    wchar_t className[64] = {};
    ::GetClassNameW(Window(), className, 64);
    EXPECT_STREQ(className, L"TwinvaneLink");
    EXPECT_TRUE(::GetWindowLongW(Window(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(WindowTextA(Window()), kKURL2PlaceholderAddress);

    LOGFONTW font{};
    ::GetObjectW(HFONT(::SendMessageW(Window(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_TRUE(font.lfUnderline);
    EXPECT_EQ(font.lfHeight, -11) << "8 points at 96 DPI";

    ::SendMessageW(Window(), WM_SETCURSOR, WPARAM(Window()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_HAND));

    const RECT text = label.TextRect();
    const SIZE size{label.Bounds().width, label.Bounds().height};
    const std::vector<std::uint32_t> unfocused = Picture(Window(), size);
    EXPECT_GE(Count(unfocused, 0x0000FF), text.right) << "text and underline in pure blue";
    ::SetFocus(Window());
    ASSERT_EQ(::GetFocus(), Window());
    EXPECT_NE(Picture(Window(), size), unfocused) << "a focus rectangle around the text";

    // The hint shows over the text while ShowHint is on.
    HWND tooltip = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, 64);
            if (std::wstring(name) == TOOLTIPS_CLASSW) {
                *reinterpret_cast<HWND*>(found) = window;
            }
            return TRUE;
        },
        LPARAM(&tooltip));
    ASSERT_NE(tooltip, nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = Window();
    tool.uId = 1;
    wchar_t hint[128] = {};
    tool.lpszText = hint;
    ::SendMessageW(tooltip, TTM_GETTEXTW, 128, LPARAM(&tool));
    EXPECT_EQ(FromWide(hint), kKURL2DefaultHint);
    link->SetShowHint(false);
    EXPECT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 0);
    // Owned by the form, yet gone with the control.
    label.Destroy();
    EXPECT_FALSE(::IsWindow(tooltip));
}

TEST_F(LinkLabelTest, IsAsWideAsItsTextAndGivesItBackWhole) {
    ASSERT_EQ(::GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest's code page";
    const int placeholderWidth = label.Bounds().width;
    for (const std::string& address :
         {std::string(kMakerSupportAddress), std::string("x"),
          std::string("https://www.varnook.example.com/caf\xC3\xA9/a-much-longer-path")}) {
        link->SetURLorEMAIL(address);
        EXPECT_EQ(WindowTextA(Window()), address);
        EXPECT_EQ(link->URLorEMAIL(), address);
        const Rect bounds = label.Bounds();
        EXPECT_EQ(bounds.width, label.TextRect().right) << address;
        EXPECT_EQ(bounds.width, link->Width()) << address;
        EXPECT_EQ(bounds.height, std::max(13, int(label.TextRect().bottom))) << address;
    }
    EXPECT_GT(label.Bounds().width, placeholderWidth);
    link->SetLeft(30);
    EXPECT_EQ(label.Bounds().left, 30);
}

TEST_F(LinkLabelTest, AClickOnTheTextEnterOrSpaceOpensTheAddress) {
    link->SetURLorEMAIL(kMakerWebAddress);
    link->SetHeight(60);
    link->SetWidth(link->Width() + 60);
    const RECT text = label.TextRect();
    const int besideX = text.right + 30;
    const struct {
        const char* what;
        std::vector<MSG> messages;
        bool opens;
    } cases[] = {
        {"click on the text",
         {Message(Window(), WM_LBUTTONDOWN, MK_LBUTTON, Point(2, 2)),
          Message(Window(), WM_LBUTTONUP, 0, Point(2, 2))},
         true},
        {"click beside the text",
         {Message(Window(), WM_LBUTTONDOWN, MK_LBUTTON, Point(besideX, 40)),
          Message(Window(), WM_LBUTTONUP, 0, Point(besideX, 40))},
         false},
        {"pressed on the text, let go beside it",
         {Message(Window(), WM_LBUTTONDOWN, MK_LBUTTON, Point(2, 2)),
          Message(Window(), WM_LBUTTONUP, 0, Point(besideX, 2))},
         false},
        {"right button",
         {Message(Window(), WM_RBUTTONDOWN, MK_RBUTTON, Point(2, 2)),
          Message(Window(), WM_RBUTTONUP, 0, Point(2, 2))},
         false},
        {"Enter", {Message(Window(), WM_KEYDOWN, VK_RETURN, 1)}, true},
        {"Space", {Message(Window(), WM_KEYDOWN, VK_SPACE, 1)}, true},
        {"Space held down", {Message(Window(), WM_KEYDOWN, VK_SPACE, 1 | (1 << 30))}, false},
        {"another key", {Message(Window(), WM_KEYDOWN, 'A', 1)}, false},
    };
    for (const auto& each : cases) {
        shell.requests.clear();
        for (const MSG& message : each.messages) {
            ::SendMessageW(message.hwnd, message.message, message.wParam, message.lParam);
        }
        ASSERT_EQ(shell.requests.size(), each.opens ? 1u : 0u) << each.what;
        if (each.opens) {
            EXPECT_EQ(shell.requests.front().file, kMakerWebAddress) << each.what;
            EXPECT_EQ(shell.requests.front().owner, platform::WindowHandle(Window())) << each.what;
        }
    }
    // In a dialog, Enter goes to the link rather than the default button.
    MSG enter = Message(Window(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(::SendMessageW(Window(), WM_GETDLGCODE, VK_RETURN, LPARAM(&enter)), DLGC_WANTMESSAGE);
}

TEST_F(LinkLabelTest, ScreenReadersFindALinkNamedByTheAddress) {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    link->SetURLorEMAIL(kMakerSupportAddress);
    IAccessible* object = nullptr;
    ASSERT_EQ(::AccessibleObjectFromWindow(Window(), OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&object)),
              S_OK);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    EXPECT_EQ(object->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_LINK);
    BSTR name = nullptr;
    EXPECT_EQ(object->get_accName(self, &name), S_OK);
    EXPECT_EQ(FromWide(name ? name : L""), kMakerSupportAddress);
    ::SysFreeString(name);
    VARIANT state{};
    EXPECT_EQ(object->get_accState(self, &state), S_OK);
    EXPECT_EQ(state.lVal & STATE_SYSTEM_LINKED, STATE_SYSTEM_LINKED);

    EXPECT_EQ(object->accDoDefaultAction(self), S_OK);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&message);
    }
    EXPECT_EQ(shell.requests.size(), 1u);
    object->Release();
    ::CoUninitialize();
}

TEST(DpiScalingTest, DesignNumbersScaleAndMeasuresNeverShrink) {
    const struct {
        UINT dpi;
        int design;
        int scaled;
    } cases[] = {{96, 200, 200}, {120, 200, 250}, {144, 13, 20}, {192, 97, 194}, {144, 1, 2}};
    for (const auto& each : cases) {
        EXPECT_EQ(Scale(each.design, each.dpi), each.scaled) << each.dpi;
    }
    for (const UINT dpi : {96u, 120u, 144u, 168u, 192u}) {
        for (int pixels = 0; pixels < 400; ++pixels) {
            ASSERT_GE(Scale(Unscale(pixels, dpi), dpi), pixels) << dpi;
        }
    }
    LOGFONTW font{};
    ::GetObjectW(CreateDesignFont(144).Get(), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -16) << "8 points at 144 DPI";
    EXPECT_EQ(std::wstring(font.lfFaceName), DesignFontFace());
}

} // namespace
} // namespace twinvane::ui::win32
