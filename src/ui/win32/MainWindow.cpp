// SPDX-License-Identifier: MIT
#include "MainWindow.h"

#include "ArgumentsDialog.h"
#include "CopyProgressWait.h"
#include "Dialogs.h"
#include "LocateChoice.h"
#include "Resources.h"
#include "Text.h"
#include "app/StandardError.h"
#include "fileutil/stringutils.h"
#include "platform/AppPaths.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

namespace twinvane::ui::win32 {
namespace {

// Control ids clear of IDOK and IDCANCEL, which dialog navigation sends.
constexpr int kStatusBarId = 90;
constexpr int kFirstButtonId = 100;
constexpr UINT_PTR kPendingDeletionTimer = 1;
constexpr UINT kPendingDeletionPollMs = 1000;
// Retries the close that an end request asked for while a question was open.
constexpr UINT_PTR kEndTimer = 2;
constexpr UINT kEndRetryMs = 100;
// Posted at activation: the start-up work may show a box, which must not
// run inside the activation itself.
constexpr UINT kStartUpMessage = WM_APP + 1;
// The guide, installed beside the program.
constexpr const char* kGuideFileName = "twinvane.html";

} // namespace

MainWindow::MainWindow(AboutFormFactory& aboutForms, SettingsStorage& storage,
                       platform::ShellLauncher& shell)
    : aboutForms_(aboutForms), shell_(shell), menus_(MainWindowLayout()),
      presenter_(*this, storage, shell) {
    RegisterRoutedClass(
        {.name = kClassName,
         .background = ::GetSysColorBrush(COLOR_BTNFACE),
         .icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TWINVANE_IDI_APP))});
    const MainWindowDesign& design = MainWindowLayout();
    WindowParams params;
    params.className = kClassName;
    params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    params.text = design.caption;
    params.bounds = {0, 0, design.outerWidth, design.outerHeight};
    CreateWindowFrom(params);
    dpi_ = WindowDpi(Handle());
    font_ = CreateDesignFont(dpi_);
    menus_.AttachTo(Handle());
    BuildControls();

    // Centred on the screen the window opens on, at its DPI.
    const int width = Scale(design.outerWidth, dpi_);
    const int height = Scale(design.outerHeight, dpi_);
    const POINT at =
        CentredOnMonitor(Handle(), width, height, MonitorArea::Whole).value_or(POINT{0, 0});
    ::SetWindowPos(Handle(), nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    // After Layout: the texts need the parts it makes.
    for (std::size_t panel = 0; panel < design.panels.size(); ++panel) {
        status_.SetPartText(static_cast<int>(panel), design.panels[panel].initialText);
    }

    ::DragAcceptFiles(Handle(), TRUE);
    // Temporary copies are deleted once the diff program reading them ends.
    ::SetTimer(Handle(), kPendingDeletionTimer, kPendingDeletionPollMs, nullptr);
}

MainWindow::~MainWindow() {
    // Here, while the members the window procedure uses still exist.
    Destroy();
}

void MainWindow::BuildControls() {
    const MainWindowDesign& design = MainWindowLayout();
    int id = kFirstButtonId;
    for (const ButtonDesign& button : design.buttons) {
        auto made = std::make_unique<DesignedButton>();
        made->command = button.command;
        made->control.Create({.parent = Handle(),
                              .text = button.caption,
                              .bounds = Scale(PlaceOf(button), dpi_),
                              .id = id++,
                              .font = font_.Get(),
                              .enabled = button.enabledAtStart});
        const Command command = button.command;
        made->control.onClick = [this, command] {
            presenter_.RunCommand(command);
        };
        buttons_.push_back(std::move(made));
    }
    // The window resizes by its frame; a grip would only narrow the last panel.
    status_.Create(
        {.parent = Handle(), .id = kStatusBarId, .font = font_.Get(), .sizeGrip = false});
    AddTooltips();
}

void MainWindow::AddTooltips() {
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) {
        return; // the buttons work without their hints
    }
    const MainWindowDesign& design = MainWindowLayout();
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        std::wstring tip = ToWide(design.buttons[i].tooltip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(buttons_[i]->control.Handle());
        tool.lpszText = tip.data();
        ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void MainWindow::Layout() {
    const MainWindowDesign& design = MainWindowLayout();
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->control.SetBounds(Scale(PlaceOf(design.buttons[i]), dpi_));
    }
    // The control's height follows its font and its borders; the design's
    // is the whole bar's, so the control's minimum is found by measuring.
    const int height = Scale(design.statusBarHeight, dpi_);
    const auto setMinimum = [this](int minimum) {
        ::SendMessageW(status_.Handle(), SB_SETMINHEIGHT, static_cast<WPARAM>(minimum), 0);
        status_.Resize();
    };
    setMinimum(height);
    setMinimum(std::max(0, 2 * height - status_.Height())); // less what the borders add
    std::vector<int> widths;
    for (const StatusPanelDesign& panel : design.panels) {
        widths.push_back(panel.fillsRest ? StatusBar::kRest : Scale(panel.width, dpi_));
    }
    status_.SetParts(widths);
}

void MainWindow::ChangeDpi(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    Font font = CreateDesignFont(dpi_);
    for (const auto& button : buttons_) {
        button->control.SetFont(font.Get());
    }
    status_.SetFont(font.Get());
    font_ = std::move(font); // the old font goes once nothing draws with it
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
}

void MainWindow::Show(int showCommand) {
    ::ShowWindow(Handle(), showCommand);
    ::UpdateWindow(Handle());
    // Also where the system never activates the window.
    ::PostMessageW(Handle(), kStartUpMessage, 0, 0);
}

void MainWindow::CompareFromCommandLine(int showCommand) {
    using Outcome = TTwinvane::StartOutcome;
    auto outcome = Outcome::ShowWindow;
    RunHandler(*this, [this, &outcome] { outcome = presenter_.CompareAtStart(); });
    switch (outcome) {
    case Outcome::ShowWindow:
        Show(showCommand);
        break;
    case Outcome::Wait:
        inBackground_ = true;
        break;
    case Outcome::End:
        Close();
        break;
    }
}

bool MainWindow::PreTranslate(MSG& message) {
    if (!Handle() || (message.hwnd != Handle() && !::IsChild(Handle(), message.hwnd))) {
        return false;
    }
    // A shortcut of a disabled item sends nothing.
    if (menus_.Accelerators() &&
        ::TranslateAcceleratorW(Handle(), menus_.Accelerators(), &message)) {
        return true;
    }
    return ::IsDialogMessageW(Handle(), &message) != FALSE;
}

int MainWindow::DefaultButtonId() const {
    // Enter presses the button that has the focus.
    const HWND focus = ::GetFocus();
    for (const auto& button : buttons_) {
        if (button->control.Handle() == focus && button->control.IsEnabled()) {
            return ::GetDlgCtrlID(focus);
        }
    }
    return 0;
}

void MainWindow::Drop(const DroppedFiles& dropped) {
    if (dropped.paths.size() == 2) {
        presenter_.FilesDropped(dropped.paths);
    } else if (dropped.paths.size() == 1) {
        // One file belongs to the button it was dropped on, if any.
        const HWND target = ::ChildWindowFromPointEx(Handle(), dropped.point, CWP_SKIPINVISIBLE);
        for (const auto& button : buttons_) {
            if (button->control.Handle() == target) {
                presenter_.FileDroppedOn(button->command, dropped.paths.front());
            }
        }
    }
}

void MainWindow::Close() {
    if (!closed_) {
        closed_ = true;
        // Whatever the saving does, the window closes.
        RunHandler(*this, [this] { presenter_.FormClose(); });
    }
    Destroy();
}

void MainWindow::EndRequested() {
    presenter_.RequestEnd();
    if (const HWND question = ::GetLastActivePopup(Handle()); question != Handle()) {
        ::EndDialog(question, IDCANCEL);
    }
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Dispatch(message, wParam, lParam);
    } catch (...) {
        // No exception crosses into the system: it reaches the error box.
        const std::exception_ptr error = std::current_exception();
        RunHandler(*this, [&error] { std::rethrow_exception(error); });
        return 0;
    }
}

LRESULT MainWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (ReflectCommand(wParam, lParam)) {
            return 0;
        }
        if (lParam == 0) { // a menu item or a shortcut
            if (const auto command = menus_.CommandOf(LOWORD(wParam))) {
                presenter_.RunCommand(*command);
                return 0;
            }
        }
        break;
    case WM_NOTIFY:
        if (const auto result = ReflectNotify(lParam)) {
            return *result;
        }
        break;
    case DM_GETDEFID:
        if (const int id = DefaultButtonId(); id != 0) {
            return MAKELRESULT(id, DC_HASDEFID);
        }
        return 0;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_DPICHANGED:
        ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = ::GetFocus();
            lastFocus_ = ::IsChild(Handle(), focus) ? focus : nullptr;
        } else {
            ::PostMessageW(Handle(), kStartUpMessage, 0, 0);
            const bool keep = lastFocus_ && ::IsWindow(lastFocus_) && ::IsWindowEnabled(lastFocus_);
            ::SetFocus(keep ? lastFocus_ : buttons_.front()->control.Handle());
        }
        return 0;
    case kStartUpMessage:
        presenter_.FormActivate(); // the first time only
        return 0;
    case WM_TIMER:
        if (wParam == kPendingDeletionTimer) {
            presenter_.PollPendingDeletion();
            if (inBackground_ && !presenter_.WaitsForCleanUp()) {
                Close();
            }
            return 0;
        }
        if (wParam == kEndTimer && ::IsWindowEnabled(Handle())) {
            ::KillTimer(Handle(), kEndTimer);
            Close();
            return 0;
        }
        break;
    case WM_DROPFILES:
        Drop(TakeDroppedFiles(reinterpret_cast<HDROP>(wParam)));
        return 0;
    case WM_CLOSE:
        // The user cannot reach the window while a question disables it: a
        // close then is a request to end (a task manager's, say).
        if (!::IsWindowEnabled(Handle())) {
            EndRequested();
            ::SetTimer(Handle(), kEndTimer, kEndRetryMs, nullptr);
            return 0;
        }
        Close();
        return 0;
    case WM_QUERYENDSESSION:
        EndRequested();
        return TRUE;
    case WM_ENDSESSION:
        // The process may end without another message: save now.
        if (wParam && !closed_) {
            EndRequested();
            closed_ = true;
            presenter_.FormClose();
        }
        return 0;
    case WM_DESTROY:
        ::KillTimer(Handle(), kPendingDeletionTimer);
        ::KillTimer(Handle(), kEndTimer);
        if (onDestroyed) {
            onDestroyed();
        }
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(Handle(), message, wParam, lParam);
}

void MainWindow::SetStatusText(int panel, const std::string& text) {
    if (panel >= 0 && panel < status_.PartCount()) {
        status_.SetPartText(panel, text);
    }
}

void MainWindow::SetCompareEnabled(bool enabled) {
    menus_.SetEnabled(Command::Compare, enabled);
    for (const auto& button : buttons_) {
        if (button->command == Command::Compare) {
            button->control.SetEnabled(enabled);
        }
    }
}

void MainWindow::SetDeleteTempsChecked(bool checked) {
    menus_.SetChecked(Command::DeleteTemps, checked);
}

void MainWindow::SetShortNamesChecked(bool checked) {
    menus_.SetChecked(Command::ShortNames, checked);
}

LocateChoice MainWindow::RunLocateChoice(const std::vector<ProgramOffer>& offers) {
    return win32::RunLocateChoice(Handle(), offers);
}

std::optional<std::string> MainWindow::RunArgumentsDialog(const std::string& current) {
    return win32::RunArgumentsDialog(Handle(), current);
}

std::optional<std::string> MainWindow::RunOpenDialog(FileDialogId,
                                                     const FileDialogRequest& request) {
    return RunOpenFileDialog(Handle(), request);
}

MessageButton MainWindow::ShowMessage(MessageKind kind, const std::string& text,
                                      const std::vector<MessageButton>& buttons) {
    return AskMessage(Handle(), kind, text, buttons);
}

void MainWindow::WaitForCopies(CopyProgress& copies) {
    win32::WaitForCopies(Handle(), copies);
}

void MainWindow::ShowPlainMessage(const std::string& text) {
    win32::ShowPlainMessage(Handle(), text);
}

void MainWindow::ShowErrorBox(const std::string& text) {
    win32::ShowErrorBox(Handle(), text);
}

void MainWindow::ShowBuiltInHelp() {
    const std::string guide = FolderPart(platform::RunningExecutablePath()) + kGuideFileName;
    if (!platform::FileExists(guide)) {
        ShowErrorBox(StandardErrorText("The guide " + guide +
                                       " is missing. Install Twinvane again to restore it"));
        return;
    }
    platform::ShellRequest request;
    request.owner = NativeHandle();
    request.verb = "open";
    request.file = guide;
    request.showCommand = platform::kShowNormal;
    if (const int result = shell_.Execute(request); result <= 32) {
        ShowErrorBox(StandardErrorText("Cannot open the guide " + guide + ": " +
                                       platform::ShellFailureText(result)));
    }
}

void MainWindow::CloseWindow() {
    // Posted: the command that asks for it is still running.
    ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

platform::WindowHandle MainWindow::NativeHandle() const {
    return reinterpret_cast<platform::WindowHandle>(Handle());
}

} // namespace twinvane::ui::win32
