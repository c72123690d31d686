// SPDX-License-Identifier: MIT
#pragma once

#include "Controls.h"
#include "DroppedFiles.h"
#include "Fonts.h"
#include "MenuBar.h"
#include "Wnd.h"
#include "app/MainView.h"
#include "app/TTwinvane.h"

#include <functional>
#include <memory>
#include <vector>

namespace twinvane::ui::win32 {

// The native face of the main window ("TwinvaneMain"), built from
// MainWindowLayout(): buttons, menus with their shortcuts, the status bar.
// Every message it handles runs through RunHandler, so an error escaping a
// handler reaches the standard error box and never the message loop.
class MainWindow final : public Wnd, public MainView {
public:
    static constexpr const wchar_t* kClassName = L"TwinvaneMain";

    // Creates the window, not yet shown. The About forms come from
    // `aboutForms`, which must outlive the window. Throws when the system
    // cannot make the window.
    MainWindow(AboutFormFactory& aboutForms, SettingsStorage& storage,
               platform::ShellLauncher& shell);
    ~MainWindow() override;

    TTwinvane& Presenter() noexcept { return presenter_; }
    const MenuBar& Menus() const noexcept { return menus_; }
    const StatusBar& Status() const noexcept { return status_; }

    // Shows the window centred on its screen; the start-up work follows as
    // soon as the message loop runs.
    void Show(int showCommand);
    // Compares the files of the command line without showing the window,
    // which appears (with `showCommand`) only when the user must finish the
    // choice in it. Once the diff program has started, the window closes,
    // or stays hidden until the copies it must delete are gone.
    void CompareFromCommandLine(int showCommand);
    // Keyboard handling the message loop asks first: the menu shortcuts,
    // then Tab, Shift+Tab and Enter among the buttons. True when the
    // message was handled and must not be dispatched again.
    bool PreTranslate(MSG& message);

    // Called once the window is gone; the program's loop ends there.
    std::function<void()> onDestroyed;

    // MainView
    void SetStatusText(int panel, const std::string& text) override;
    void SetCompareEnabled(bool enabled) override;
    void SetDeleteTempsChecked(bool checked) override;
    void SetShortNamesChecked(bool checked) override;
    std::optional<std::string> RunArgumentsDialog(const std::string& current) override;
    LocateChoice RunLocateChoice(const std::vector<ProgramOffer>& offers) override;
    std::optional<std::string> RunOpenDialog(FileDialogId dialog,
                                             const FileDialogRequest& request) override;
    MessageButton ShowMessage(MessageKind kind, const std::string& text,
                              const std::vector<MessageButton>& buttons) override;
    void WaitForCopies(CopyProgress& copies) override;
    void ShowPlainMessage(const std::string& text) override;
    void ShowErrorBox(const std::string& text) override;
    AboutFormFactory& AboutForms() override { return aboutForms_; }
    // Opens the guide installed beside the program in the user's browser.
    void ShowBuiltInHelp() override;
    void CloseWindow() override;
    platform::WindowHandle NativeHandle() const override;

private:
    struct DesignedButton {
        Button control;
        Command command;
    };

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void BuildControls();
    void AddTooltips();
    void Layout();
    void ChangeDpi(UINT dpi, const RECT& suggested);
    void Drop(const DroppedFiles& dropped);
    void Close();
    // The session ends, or a close came while a question holds the window:
    // the open question ends unanswered, the presenter takes that as the
    // choice that does nothing, and the window closes once the handler that
    // asked has returned.
    void EndRequested();
    int DefaultButtonId() const;

    AboutFormFactory& aboutForms_;
    platform::ShellLauncher& shell_;
    UINT dpi_ = kDesignDpi;
    Font font_;
    MenuBar menus_;
    std::vector<std::unique_ptr<DesignedButton>> buttons_;
    StatusBar status_;
    HWND tooltip_ = nullptr; // destroyed with the window
    HWND lastFocus_ = nullptr;
    bool closed_ = false;
    bool inBackground_ = false; // hidden until the clean-up it waits for is done
    TTwinvane presenter_;       // last: it asks the view for the About forms
};

} // namespace twinvane::ui::win32
