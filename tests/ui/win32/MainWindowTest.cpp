// SPDX-License-Identifier: MIT
#include "ui/win32/MainWindow.h"
#include "app/CopyProgressDesign.h"
#include "app/FakeMainView.h"
#include "platform/AppPaths.h"
#include "platform/DesktopPlaces.h"
#include "platform/FileSystem.h"
#include "support/EnvGuard.h"
#include "support/TempFolder.h"
#include "support/win32/TestWindows.h"
#include "ui/win32/ArgumentsDialog.h"
#include "ui/win32/LocateChoice.h"
#include "ui/win32/Text.h"

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace twinvane::ui::win32 {
namespace {

using testing::TextOf;

using testing::FakeSettingsStorage;
using testing::RecordingLauncher;
using testing::TempFolder;

std::string ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return FromWide(name);
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// Waits on a thread of its own for a dialog of the test's thread captioned
// `title`, notes the texts of its controls, then answers it with `answer`,
// as a user would while the test's thread runs the dialog's modal loop.
class BoxAnswer {
public:
    BoxAnswer(std::string title, std::function<void(HWND)> answer, int waitMs = 10000)
        : ui_(::GetCurrentThreadId()),
          thread_([this, title = std::move(title), answer = std::move(answer), waitMs] {
              for (int waited = 0; waited < waitMs; waited += 10) {
                  if (const HWND box = Find(title)) {
                      for (const HWND child : Children(box)) {
                          texts_.push_back(TextOf(child));
                      }
                      seen_ = true;
                      answer(box);
                      return;
                  }
                  ::Sleep(10);
              }
          }) {}

    // Once the box has been answered (or never came).
    bool Seen() {
        Finish();
        return seen_;
    }
    bool Shows(const std::string& text) {
        Finish();
        return std::find(texts_.begin(), texts_.end(), text) != texts_.end();
    }

private:
    void Finish() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    HWND Find(const std::string& title) const {
        struct Search {
            const std::string& title;
            HWND found = nullptr;
        } search{title};
        ::EnumThreadWindows(
            ui_,
            [](HWND window, LPARAM data) {
                auto& search = *reinterpret_cast<Search*>(data);
                if (::IsWindowVisible(window) && ClassOf(window) == "#32770" &&
                    TextOf(window) == search.title) {
                    search.found = window;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    DWORD ui_;
    std::vector<std::string> texts_;
    std::atomic<bool> seen_ = false;
    std::thread thread_;
};

// The answers a user gives: a key to the control that has the focus, a
// click on a button, a name typed into an open-file dialog.
std::function<void(HWND)> Key(WPARAM key) {
    return [key](HWND box) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(box, nullptr), &info);
        ::PostMessageW(info.hwndFocus ? info.hwndFocus : box, WM_KEYDOWN, key, 0);
    };
}

std::function<void(HWND)> Click(const std::string& caption) {
    return [caption](HWND box) {
        for (const HWND child : Children(box)) {
            if (TextOf(child) == caption) {
                ::SendMessageW(child, BM_CLICK, 0, 0);
                return;
            }
        }
    };
}

std::function<void(HWND)> Choose(const std::string& path) {
    return [path](HWND box) {
        HWND name = ::GetDlgItem(box, cmb13);
        name = name ? name : ::GetDlgItem(box, edt1);
        ::SetWindowTextW(name, ToWide(path).c_str());
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
}

class MainWindowTest : public ::testing::Test {
protected:
    // Runs what is queued, as the program's message loop does.
    void Pump() {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!window.PreTranslate(message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
    }
    void Start() {
        window.Show(SW_SHOWNORMAL);
        Pump();
    }
    std::string Panel(int part) const { return window.Status().PartText(part); }
    std::string PanelTip(int part) const {
        std::wstring tip(1024, L'\0');
        ::SendMessageW(window.Status().Handle(), SB_GETTIPTEXTW, MAKEWPARAM(part, tip.size()),
                       reinterpret_cast<LPARAM>(tip.data()));
        return FromWide(tip.c_str());
    }
    HWND Button(const std::string& caption) const {
        for (const HWND child : Children(window.Handle())) {
            if (ClassOf(child) == "Button" && TextOf(child) == caption) {
                return child;
            }
        }
        return nullptr;
    }
    // The command id of the menu item the design names `name`.
    UINT MenuId(const std::string& name) const {
        const auto& menus = MainWindowLayout().menus;
        for (std::size_t m = 0; m < menus.size(); ++m) {
            for (std::size_t i = 0; i < menus[m].items.size(); ++i) {
                if (menus[m].items[i].name == name) {
                    const HMENU popup = ::GetSubMenu(::GetMenu(window.Handle()), int(m));
                    return ::GetMenuItemID(popup, int(i));
                }
            }
        }
        return 0;
    }
    // Two files in `folder` whose paths together are too long for the diff
    // program, which is this test program.
    void StartWithLongNames(const TempFolder& folder) {
        storage.stored.File1 = folder / (std::string(40, 'a') + ".txt");
        storage.stored.File2 = folder / (std::string(40, 'b') + ".txt");
        testing::WriteFile(storage.stored.File1, "one");
        testing::WriteFile(storage.stored.File2, "two");
        storage.stored.WinDiffPath = self;
        Start();
    }
    void Menu(const std::string& name) {
        ::SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(MenuId(name), 0), 0);
    }

    FakeSettingsStorage storage;
    RecordingLauncher shell;
    testing::FakeAboutFormFactory aboutForms;
    MainWindow window{aboutForms, storage, shell};
    const std::string self = platform::RunningExecutablePath();
};

TEST_F(MainWindowTest, EveryControlIsBuiltAsTheDesignDescribesIt) {
    const MainWindowDesign& design = MainWindowLayout();
    ASSERT_EQ(WindowDpi(window.Handle()), kDesignDpi) << "the design's numbers hold at 96 DPI";
    EXPECT_EQ(TextOf(window.Handle()), design.caption);
    RECT outer{};
    ::GetWindowRect(window.Handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, design.outerWidth);
    EXPECT_EQ(outer.bottom - outer.top, design.outerHeight);

    std::vector<HWND> buttons;
    for (const HWND child : Children(window.Handle())) {
        if (ClassOf(child) == "Button") {
            buttons.push_back(child);
        }
    }
    ASSERT_EQ(buttons.size(), design.buttons.size());
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ButtonDesign& b = design.buttons[i];
        RECT place{};
        ::GetWindowRect(buttons[i], &place);
        ::MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(TextOf(buttons[i]), b.caption) << b.name;
        EXPECT_EQ((Rect{place.left, place.top, place.right - place.left, place.bottom - place.top}),
                  (Rect{b.left, b.top, b.width, b.height}))
            << b.name;
        EXPECT_EQ(::IsWindowEnabled(buttons[i]) != FALSE, b.enabledAtStart) << b.name;
    }

    const HMENU bar = ::GetMenu(window.Handle());
    std::vector<ACCEL> shortcuts(64);
    shortcuts.resize(
        std::size_t(::CopyAcceleratorTableW(window.Menus().Accelerators(), shortcuts.data(), 64)));
    ASSERT_EQ(::GetMenuItemCount(bar), int(design.menus.size()));
    for (std::size_t m = 0; m < design.menus.size(); ++m) {
        wchar_t caption[64] = {};
        ::GetMenuStringW(bar, UINT(m), caption, 64, MF_BYPOSITION);
        EXPECT_EQ(FromWide(caption), design.menus[m].caption);
        const HMENU popup = ::GetSubMenu(bar, int(m));
        ASSERT_EQ(::GetMenuItemCount(popup), int(design.menus[m].items.size()));
        for (std::size_t i = 0; i < design.menus[m].items.size(); ++i) {
            const MenuItemDesign& item = design.menus[m].items[i];
            wchar_t text[64] = {};
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = 64;
            ASSERT_TRUE(::GetMenuItemInfoW(popup, UINT(i), TRUE, &info)) << item.name;
            EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, item.separator) << item.name;
            if (item.separator) {
                continue;
            }
            const std::string shortcut = item.shortcut ? ShortcutText(*item.shortcut) : "";
            EXPECT_EQ(FromWide(text), item.caption + (shortcut.empty() ? "" : "\t" + shortcut))
                << item.name;
            EXPECT_EQ((info.fState & MFS_GRAYED) == 0, item.enabledAtStart) << item.name;
            EXPECT_EQ(info.fState & MFS_CHECKED, 0u) << item.name;
            const auto key = std::find_if(shortcuts.begin(), shortcuts.end(),
                                          [&](const ACCEL& a) { return a.cmd == info.wID; });
            ASSERT_EQ(key != shortcuts.end(), item.shortcut.has_value()) << item.name;
            if (item.shortcut) {
                EXPECT_EQ(key->key, item.shortcut->functionKey
                                        ? VK_F1 + item.shortcut->functionKey - 1
                                        : item.shortcut->key)
                    << item.name;
                EXPECT_EQ((key->fVirt & FCONTROL) != 0, item.shortcut->ctrl) << item.name;
            }
        }
    }

    const HWND status = window.Status().Handle();
    int edges[4] = {};
    ASSERT_EQ(::SendMessageW(status, SB_GETPARTS, 4, LPARAM(edges)), 3);
    EXPECT_EQ(edges[0], design.panels[0].width);
    EXPECT_EQ(edges[1], design.panels[0].width + design.panels[1].width);
    RECT client{};
    ::GetClientRect(window.Handle(), &client);
    EXPECT_TRUE(edges[2] == -1 || edges[2] >= client.right) << "the last panel fills the rest";
    EXPECT_EQ(window.Status().Height(), design.statusBarHeight);
    for (int part = 0; part < kPanelCount; ++part) {
        EXPECT_EQ(Panel(part), design.panels[std::size_t(part)].initialText);
    }
}

TEST_F(MainWindowTest, StartUpLoadsTheSettingsAndMenuCommandsReachThePresenter) {
    storage.stored.File1 = storage.stored.File2 = storage.stored.WinDiffPath = self;
    Start();
    EXPECT_EQ(Panel(kPanelReadiness), "READY");
    EXPECT_TRUE(::IsWindowEnabled(Button("Compare")));
    EXPECT_EQ(::GetMenuState(::GetMenu(window.Handle()), MenuId("Compare1"), MF_BYCOMMAND) &
                  MF_GRAYED,
              0u);

    const auto checked = [&] {
        return (::GetMenuState(::GetMenu(window.Handle()), MenuId("Deletetemps"), MF_BYCOMMAND) &
                MF_CHECKED) != 0;
    };
    EXPECT_EQ(checked(), storage.stored.DeleteTemps);
    Menu("Deletetemps");
    EXPECT_NE(checked(), storage.stored.DeleteTemps);

    // Windows ending the session saves, once, even though no close follows.
    ::SendMessageW(window.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(storage.saves, 1);
    ::SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(storage.saves, 1);
    EXPECT_FALSE(::IsWindow(window.Handle()));
}

TEST_F(MainWindowTest, EachOpenFileDialogShowsItsTitleAndItsChoiceReachesTheState) {
    TempFolder folder;
    const std::string fresh = folder / "Grüße.txt"; // need not exist
    struct Case {
        const char* title;
        std::function<void()> open;
        std::string chosen;
        std::function<std::string()> result;
        bool filtered;
    };
    const Case cases[] = {
        {"Select File 1", [this] { ::SendMessageW(Button("Select File 1"), BM_CLICK, 0, 0); },
         fresh, [this] { return Panel(kPanelFile1); }, false},
        {"Select File 2", [this] { Menu("SelectFile21"); }, fresh,
         [this] { return Panel(kPanelFile2); }, false},
        {"Locate Windiff", [this] { Menu("LocateWwindiff1"); }, self,
         [this] { return storage.stored.WinDiffPath; }, true},
    };
    Start();
    for (const Case& c : cases) {
        BoxAnswer answer(c.title, Choose(c.chosen));
        c.open();
        EXPECT_TRUE(answer.Seen()) << c.title;
        EXPECT_EQ(answer.Shows("Windiff"), c.filtered) << c.title;
        EXPECT_EQ(c.result(), c.chosen) << c.title;
    }
    EXPECT_EQ(Panel(kPanelReadiness), "NOT READY") << "the diff program chosen exists";
}

TEST_F(MainWindowTest, TabMovesBetweenButtonsEnterPressesOneAndShortcutsRunCommands) {
    Start();
    ::SetFocus(Button("Select File 1"));
    ::PostMessageW(Button("Select File 1"), WM_KEYDOWN, VK_TAB, 0);
    Pump();
    ASSERT_EQ(::GetFocus(), Button("Select File 2"));
    {
        BoxAnswer cancel("Select File 2", Key(VK_ESCAPE));
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
        Pump();
        EXPECT_TRUE(cancel.Seen());
    }
    EXPECT_EQ(Panel(kPanelReadiness), "CAN'T FIND WINDIFF") << "cancelling File 2 checks";

    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    BoxAnswer cancel("Select File 1", Key(VK_ESCAPE));
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, '1', 0);
    Pump();
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(cancel.Seen()) << "Ctrl+1";
}

TEST_F(MainWindowTest, TheLongPathQuestionOffersThreeButtonsAndItsAnswerDecides) {
    TempFolder folder;
    StartWithLongNames(folder);
    struct Case {
        std::function<void(HWND)> answer;
        std::size_t started; // diff programs started so far
    };
    for (const Case& c : {Case{Click("&Abort"), 0}, Case{Key(VK_ESCAPE), 1}}) {
        BoxAnswer question("Error", c.answer);
        ::SendMessageW(Button("Compare"), BM_CLICK, 0, 0);
        ASSERT_TRUE(question.Seen());
        EXPECT_TRUE(question.Shows("OK") && question.Shows("Cancel") && question.Shows("&Abort"));
        EXPECT_EQ(shell.requests.size(), c.started);
        if (c.started == 0) {
            EXPECT_EQ(Panel(kPanelReadiness).rfind("NAMES TOO LONG", 0), 0u);
        }
    }
}

// The session ending, or a close sent by a task manager, while the question
// is open: it ends without starting the diff program, and the window closes.
TEST_F(MainWindowTest, AnEndRequestedDuringTheLongPathQuestionStartsNothing) {
    TempFolder folder;
    StartWithLongNames(folder);
    const HWND main = window.Handle();
    BoxAnswer question("Error", [main](HWND) { ::PostMessageW(main, WM_CLOSE, 0, 0); });
    ::SendMessageW(Button("Compare"), BM_CLICK, 0, 0);
    ASSERT_TRUE(question.Seen());
    for (int waited = 0; waited < 5000 && ::IsWindow(main); waited += 10) {
        Pump();
        ::Sleep(10);
    }
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_FALSE(::IsWindow(main));
    EXPECT_EQ(storage.saves, 1);
}

// A comparison from the file manager: the questions come without the
// window, which stays hidden while the copies wait for the diff program and
// closes, saving, once they are deleted.
TEST_F(MainWindowTest, ACompareFromTheCommandLineAsksWithoutTheWindowAndEndsAfterTheCleanUp) {
    TempFolder folder;
    storage.stored.File1 = folder / (std::string(40, 'a') + ".txt");
    const std::string file2 = folder / "elsewhere" + "\\" + std::string(40, 'b') + ".txt";
    testing::WriteFile(storage.stored.File1, "one");
    std::filesystem::create_directories(folder / "elsewhere");
    testing::WriteFile(file2, "two");
    storage.stored.WinDiffPath = self;
    shell.program = RecordingLauncher::Program::Running;
    window.Presenter().SetCommandLineFile2(file2);
    const HWND main = window.Handle();

    BoxAnswer question("Error", Click("OK"));
    BoxAnswer cleanUp("Warning", Click("OK"));
    window.CompareFromCommandLine(SW_SHOWNORMAL);
    ASSERT_TRUE(question.Seen() && cleanUp.Seen());
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_NE(shell.requests[0].parameters.value_or("").find("TWVTemp1"), std::string::npos);
    EXPECT_TRUE(::IsWindow(main));
    EXPECT_FALSE(::IsWindowVisible(main));
    EXPECT_EQ(storage.stored.File2, file2);

    shell.program = RecordingLauncher::Program::Ended;
    for (int waited = 0; waited < 5000 && ::IsWindow(main); waited += 10) {
        Pump();
        ::Sleep(10);
    }
    EXPECT_FALSE(::IsWindow(main));
    EXPECT_FALSE(platform::FileExists("C:\\TWVTemp1"));
}

TEST_F(MainWindowTest, MessageBoxesCarryTheirCaptionTextAndAnswer) {
    // An error escaping the start-up reaches the standard error box.
    storage.failLoadAfterInstall = true;
    {
        BoxAnswer error("Twinvane", Key(VK_RETURN));
        Start();
        EXPECT_TRUE(error.Shows("Invalid data type for 'File 1'"));
    }

    const std::string text = "Ok to Delete Temporary Files";
    for (const auto& [key, expected] :
         {std::pair{VK_RETURN, MessageButton::Ok}, std::pair{VK_ESCAPE, MessageButton::Cancel}}) {
        BoxAnswer box("Warning", Key(key));
        EXPECT_EQ(window.ShowMessage(MessageKind::Warning, text,
                                     {MessageButton::Ok, MessageButton::Cancel}),
                  expected);
        EXPECT_TRUE(box.Seen() && box.Shows(text));
    }

    // A failed save at close: the plain box, and the window closes anyway.
    storage.failSave = true;
    BoxAnswer plain("Twinvane", Key(VK_RETURN));
    ::SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(plain.Shows("Unable to save files\r\nFailed to set data for 'Install'"));
    EXPECT_FALSE(::IsWindow(window.Handle()));
}

// A drop of `files` let go at `point` in the window's client area.
HDROP MakeDrop(const std::vector<std::string>& files, POINT point) {
    std::wstring names;
    for (const std::string& file : files) {
        names += ToWide(file) + L'\0';
    }
    names += L'\0';
    const HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = point;
    drop->fWide = TRUE;
    std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(MainWindowTest, DroppedFilesFillTheFilesByCountAndPlace) {
    Start();
    const auto drop = [&](const std::vector<std::string>& files, POINT point) {
        ::SendMessageW(window.Handle(), WM_DROPFILES, WPARAM(MakeDrop(files, point)), 0);
    };
    const std::string deep = "C:\\" + std::string(300, 'd') + "\\one.txt";
    drop({deep, "C:\\two.txt"}, {300, 10});
    EXPECT_EQ(Panel(kPanelFile1), deep);
    EXPECT_EQ(PanelTip(kPanelFile1), deep) << "a path the panel cuts off shows whole as its tip";
    EXPECT_EQ(Panel(kPanelFile2), "C:\\two.txt");

    const ButtonDesign& second = MainWindowLayout().buttons[1];
    drop({"C:\\Ärger.txt"}, {second.left + 5, second.top + 5});
    EXPECT_EQ(Panel(kPanelFile2), "C:\\Ärger.txt");
    drop({"C:\\beside.txt"}, {300, 10});
    EXPECT_EQ(Panel(kPanelFile1), deep) << "one file beside the buttons is ignored";
    EXPECT_EQ(Panel(kPanelFile2), "C:\\Ärger.txt");
}

TEST_F(MainWindowTest, TheGuideOpensInTheBrowserOrTheErrorBoxSaysWhyNot) {
    const std::filesystem::path guide = std::filesystem::path(self).parent_path() / "twinvane.html";
    struct Case {
        bool installed;
        int shellResult;
        bool error;
    };
    for (const Case c :
         {Case{false, platform::kShellSuccess, true}, Case{true, platform::kShellSuccess, false},
          Case{true, platform::kShellNoAssociation, true}}) {
        std::filesystem::remove(guide);
        if (c.installed) {
            testing::WriteFile(guide.string(), "<html></html>");
        }
        shell.requests.clear();
        shell.result = c.shellResult;
        // Where no box is due, a short wait shows that none comes.
        BoxAnswer box("Twinvane", Key(VK_RETURN), c.error ? 10000 : 1000);
        window.ShowBuiltInHelp();
        EXPECT_EQ(shell.requests.size(), c.installed ? 1u : 0u);
        if (c.installed) {
            EXPECT_EQ(shell.requests.front().verb, "open");
            EXPECT_EQ(shell.requests.front().file, guide.string());
        }
        EXPECT_EQ(box.Seen(), c.error);
    }
    std::filesystem::remove(guide);
}

TEST_F(MainWindowTest, ShortCopiesItemAndArgumentsDialogReachThePresenter) {
    storage.stored.ShortNames = false;
    Start();
    const HMENU bar = ::GetMenu(window.Handle());
    const auto checked = [&] {
        return (::GetMenuState(bar, MenuId("ShortNames1"), MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_FALSE(checked());
    Menu("ShortNames1");
    EXPECT_TRUE(checked());
    EXPECT_TRUE(window.Presenter().State().Stored.ShortNames);

    std::string shown;
    bool okWhileInvalid = true;
    bool hintWhileInvalid = false;
    bool okWhenValid = false;
    BoxAnswer answer("Diff Program Arguments", [&](HWND box) {
        shown = TextOf(::GetDlgItem(box, kArgumentsFieldId));
        ::SetDlgItemTextW(box, kArgumentsFieldId, L"--diff %1");
        okWhileInvalid = ::IsWindowEnabled(::GetDlgItem(box, IDOK));
        hintWhileInvalid = ::IsWindowVisible(::GetDlgItem(box, kArgumentsHintId));
        ::SetDlgItemTextW(box, kArgumentsFieldId, L"/base:\"%1\" /mine:\"%2\"");
        okWhenValid = ::IsWindowEnabled(::GetDlgItem(box, IDOK));
        Click("OK")(box);
    });
    Menu("DiffProgramArguments1");
    ASSERT_TRUE(answer.Seen());
    EXPECT_TRUE(answer.Shows("&Arguments of the diff program:"));
    EXPECT_EQ(shown, "\"%1\" \"%2\"");
    EXPECT_FALSE(okWhileInvalid);
    EXPECT_TRUE(hintWhileInvalid);
    EXPECT_TRUE(okWhenValid);
    EXPECT_EQ(storage.stored.WinDiffArgs, "/base:\"%1\" /mine:\"%2\"");

    BoxAnswer cancel("Diff Program Arguments", Key(VK_ESCAPE));
    Menu("DiffProgramArguments1");
    ASSERT_TRUE(cancel.Seen());
    EXPECT_EQ(window.Presenter().State().Stored.WinDiffArgs, "/base:\"%1\" /mine:\"%2\"");
    ::SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
}

// Makes `path` `size` bytes long without writing them: sparse where Wine's
// file system allows, so quick to make and slow to copy.
void Lengthen(const std::string& path, std::uint64_t size) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    EXPECT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file));
    ::CloseHandle(file);
}

// Waits, with TWINVANE_SCREENSHOT_DIR set, until a picture of the screen
// lands there as `name`: the screen is taken from outside Wine.
void HoldForScreenshot(const std::string& name) {
    const char* folder = std::getenv("TWINVANE_SCREENSHOT_DIR");
    if (folder == nullptr) {
        return;
    }
    testing::WriteFile(std::string(folder) + "\\" + name + ".ready", "");
    for (int waited = 0; waited < 30000; waited += 100) {
        if (platform::FileExists(std::string(folder) + "\\" + name)) {
            return;
        }
        ::Sleep(100);
    }
}

// A copy far too long to end during the test: the task dialog comes with
// its bar moving, the window under it repaints, and Escape or Enter cancels
// the copy, which leaves no copy and everything as Abort would.
TEST_F(MainWindowTest, ALongCopyShowsItsProgressAndCancelLeavesNothing) {
    TempFolder folder;
    StartWithLongNames(folder);
    const std::uint64_t size = std::uint64_t{8} << 30;
    Lengthen(storage.stored.File1, size);
    const std::string temporary = platform::TemporaryCopyFolder() + "TWVTemp";
    const CopyProgressDesign& design = CopyProgressLayout();
    const HWND main = window.Handle();
    for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        SCOPED_TRACE(key);
        std::atomic<int> position = 0;
        std::atomic<bool> repainted = false;
        std::atomic<bool> mainDisabled = false;
        BoxAnswer question("Error", Click("OK"));
        BoxAnswer progress(design.title, [&](HWND box) {
            HWND bar = nullptr;
            for (const HWND child : Children(box)) {
                bar = ClassOf(child) == "msctls_progress32" ? child : bar;
            }
            mainDisabled = !::IsWindowEnabled(main);
            // As an uncovered part of the window would ask.
            ::InvalidateRect(main, nullptr, FALSE);
            for (int waited = 0; waited < 10000; waited += 10) {
                position = static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0));
                repainted = !::GetUpdateRect(main, nullptr, FALSE);
                if (position > 0 && repainted) {
                    break;
                }
                ::Sleep(10);
            }
            if (key == VK_ESCAPE) {
                HoldForScreenshot("windows-copy-progress.png");
            }
            Key(key)(box);
        });
        ::SendMessageW(Button("Compare"), BM_CLICK, 0, 0);
        ASSERT_TRUE(question.Seen());
        ASSERT_TRUE(progress.Seen());
        EXPECT_TRUE(progress.Shows(design.text));
        EXPECT_TRUE(progress.Shows(design.cancel));
        EXPECT_TRUE(mainDisabled);
        EXPECT_TRUE(repainted);
        EXPECT_GT(position, 0);
        EXPECT_LT(position, design.steps);

        EXPECT_TRUE(::IsWindowEnabled(main));
        EXPECT_FALSE(platform::FileExists(temporary + "1"));
        EXPECT_FALSE(platform::FileExists(temporary + "2"));
        EXPECT_TRUE(shell.requests.empty());
        EXPECT_EQ(window.Presenter().State().Stored.File1, storage.stored.File1);
        EXPECT_FALSE(window.Presenter().State().Substituted);
        EXPECT_EQ(Panel(kPanelReadiness).rfind("NAMES TOO LONG", 0), 0u);
        EXPECT_EQ(platform::FileSizeOf(storage.stored.File1), size);
    }
}

// The task dialog offers one command link per program, its path below, then
// Browse; each answer, Cancel included, comes back as what it chose.
TEST(LocateChoiceTaskDialogTest, OffersACommandLinkPerProgramAndBrowse) {
    testing::TestForm owner({100, 100, 400, 300});
    const std::vector<ProgramOffer> offers{
        {"WinMerge", "C:\\Program Files\\WinMerge\\WinMergeU.exe"},
        {"Visual Studio Code", "C:\\Users\\J\xC3\xBCrgen\\AppData\\Local\\Programs\\Microsoft "
                               "VS Code\\Code.exe"}};
    const struct {
        int button;
        LocateChoice::Kind kind;
        std::size_t index;
    } cases[] = {{kFirstProgramId, LocateChoice::Kind::Program, 0},
                 {kFirstProgramId + 1, LocateChoice::Kind::Program, 1},
                 {kBrowseId, LocateChoice::Kind::Browse, 0},
                 {IDCANCEL, LocateChoice::Kind::Cancel, 0}};
    for (const auto& c : cases) {
        std::vector<std::string> links;
        BoxAnswer answer("Locate Windiff", [&](HWND box) {
            for (const HWND child : Children(box)) {
                if (ClassOf(child) == "Button") {
                    links.push_back(TextOf(child));
                }
            }
            ::PostMessageW(box, TDM_CLICK_BUTTON, static_cast<WPARAM>(c.button), 0);
        });
        const LocateChoice choice = RunLocateChoice(owner.Handle(), offers);
        ASSERT_TRUE(answer.Seen());
        EXPECT_EQ(choice.kind, c.kind) << c.button;
        EXPECT_EQ(choice.index, c.index) << c.button;
        const auto has = [&](const std::string& part) {
            return std::any_of(links.begin(), links.end(), [&](const std::string& link) {
                return link.find(part) != std::string::npos;
            });
        };
        EXPECT_TRUE(has("WinMerge")) << ::testing::PrintToString(links);
        EXPECT_TRUE(has(offers[1].path)) << ::testing::PrintToString(links);
        EXPECT_TRUE(has("Browse\xE2\x80\xA6")) << ::testing::PrintToString(links);
        EXPECT_TRUE(has("Cancel")) << ::testing::PrintToString(links);
    }
}

TEST_F(MainWindowTest, LocateWindiffOffersAnInstalledProgramAndStartsItWithoutTheQuestion) {
    TempFolder programs;
    std::filesystem::create_directories(programs.Path() / "WinMerge");
    const std::string winMerge = programs / "WinMerge\\WinMergeU.exe";
    ASSERT_TRUE(::CopyFileW(ToWide(self).c_str(), ToWide(winMerge).c_str(), FALSE));
    const testing::EnvGuard programFiles("ProgramFiles", programs.Path().string());
    TempFolder folder;
    StartWithLongNames(folder);

    BoxAnswer answer("Locate Windiff",
                     [](HWND box) { ::PostMessageW(box, TDM_CLICK_BUTTON, kFirstProgramId, 0); });
    Menu("LocateWwindiff1");
    ASSERT_TRUE(answer.Seen());
    EXPECT_EQ(storage.stored.WinDiffPath, winMerge);
    EXPECT_FALSE(storage.stored.ShortNames);
    EXPECT_EQ(Panel(kPanelReadiness), "READY");

    // Long names go to the program as they are: no question is asked.
    Menu("Compare1");
    ASSERT_EQ(shell.requests.size(), 1U);
    EXPECT_EQ(shell.requests[0].file, winMerge);
    EXPECT_EQ(shell.requests[0].parameters,
              "\"" + storage.stored.File1 + "\" \"" + storage.stored.File2 + "\"");
    ::SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
}

} // namespace
} // namespace twinvane::ui::win32
