// SPDX-License-Identifier: MIT
// Starts either Twinvane's main window ("twinvane <key>": settings loaded
// from the registry key <key> under HKEY_CURRENT_USER, which stands in for
// the user's own, and the readiness check done) or a bare Win32 window with
// the same controls ("bare"), and ends as soon as the window is shown and
// its queue is empty, signalled through the event named last on the command
// line. StartupBench times the process up to that signal.
#include "app/RegistrySettingsStorage.h"
#include "platform/ShellLauncher.h"
#include "ui/win32/AboutDialog.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/MainWindow.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

namespace {

struct LocalDeleter {
    void operator()(wchar_t** list) const { ::LocalFree(list); }
};

void DrainQueue() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void SignalShown(const wchar_t* eventName) {
    if (const HANDLE shown = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName)) {
        ::SetEvent(shown);
        ::CloseHandle(shown);
    }
}

HMENU Popup(HMENU bar, const wchar_t* title, std::initializer_list<const wchar_t*> items) {
    const HMENU popup = ::CreatePopupMenu();
    UINT id = 100;
    for (const wchar_t* item : items) {
        ::AppendMenuW(popup, item ? MF_STRING : MF_SEPARATOR, id++, item);
    }
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
    return popup;
}

// Four buttons, the three menus and a three-part status bar, in the design
// font: what the main window holds, without the presenter behind it.
int RunBare(HINSTANCE instance, const wchar_t* shownEvent) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"BareWindow";
    ::RegisterClassExW(&windowClass);

    const HMENU bar = ::CreateMenu();
    Popup(bar, L"&File",
          {L"Select File &1", L"Select File &2", L"Select &Files", nullptr, L"&Compare",
           L"&Save Files", nullptr, L"E&xit"});
    Popup(bar, L"&Options", {L"&Locate Windiff", L"&Clear File List", L"&Delete temporary Files"});
    Popup(bar, L"&Help", {L"&Help", L"&About", nullptr, L"e-mail Varnook", L"Varnook on the Web"});
    const HWND window =
        ::CreateWindowExW(0, L"BareWindow", L"Twinvane", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                          CW_USEDEFAULT, 544, 255, nullptr, bar, instance, nullptr);
    const twinvane::ui::win32::Font font =
        twinvane::ui::win32::CreateDesignFont(twinvane::ui::win32::WindowDpi(window));
    const wchar_t* captions[] = {L"Select File &1", L"Select File &2", L"Select &Files",
                                 L"&Compare"};
    for (int i = 0; i < 4; ++i) {
        const HWND button =
            ::CreateWindowExW(0, WC_BUTTONW, captions[i], WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                              24 + 120 * i, 24, 105, 25, window, nullptr, instance, nullptr);
        ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    }
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    const HWND status =
        ::CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                          0, 0, 0, window, nullptr, instance, nullptr);
    int edges[] = {200, 400, -1};
    ::SendMessageW(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    ::SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"File 1"));
    ::SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"File 2"));
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::UpdateWindow(window);
    DrainQueue();
    SignalShown(shownEvent);
    ::DestroyWindow(window);
    return EXIT_SUCCESS;
}

int RunTwinvane(HINSTANCE instance, const wchar_t* settingsKey, const wchar_t* shownEvent) {
    using namespace twinvane;
    // The settings come from the bench's own key, never the user's.
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, settingsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS ||
        ::RegOverridePredefKey(HKEY_CURRENT_USER, key) != ERROR_SUCCESS) {
        return 3;
    }
    ::RegCloseKey(key);
    RegistrySettingsStorage storage;
    ui::win32::AboutDialogFactory aboutForms(instance);
    ui::win32::MainWindow window(aboutForms, storage, platform::SystemShell());
    aboutForms.SetOwner(window.Handle());
    window.Show(SW_SHOWNORMAL);
    DrainQueue();
    // Loaded: the files named by the bench's settings, and the help file set.
    const bool ready =
        !window.Presenter().State().Stored.File1.empty() && !window.Presenter().HelpFile().empty();
    if (!ready) {
        return 4;
    }
    SignalShown(shownEvent);
    return EXIT_SUCCESS;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    int count = 0;
    const std::unique_ptr<wchar_t*, LocalDeleter> arguments(
        ::CommandLineToArgvW(::GetCommandLineW(), &count));
    try {
        if (count == 3 && std::wstring(arguments.get()[1]) == L"bare") {
            return RunBare(instance, arguments.get()[2]);
        }
        if (count == 4 && std::wstring(arguments.get()[1]) == L"twinvane") {
            return RunTwinvane(instance, arguments.get()[2], arguments.get()[3]);
        }
    } catch (const std::exception&) {
        return 5;
    }
    return 2;
}
