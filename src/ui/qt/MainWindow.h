// SPDX-License-Identifier: MIT
#pragma once

#include "DialogProvider.h"
#include "QtAboutFormFactory.h"
#include "app/MainView.h"
#include "app/MainWindowDesign.h"
#include "app/TTwinvane.h"

#include <QMainWindow>

#include <functional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace twinvane::ui {

class ElidedLabel;

// The Qt face of the main window, built from MainWindowLayout(): buttons,
// menus and the status bar. Every user action is handed to the TTwinvane
// presenter through RunHandler.
class MainWindow final : public QMainWindow, public MainView {
    Q_OBJECT

public:
    MainWindow(SettingsStorage& storage, platform::ShellLauncher& shell, DialogProvider& dialogs,
               QWidget* parent = nullptr);

    TTwinvane& Presenter() noexcept { return presenter_; }

    // A termination request (a signal, the session's end): any open dialog
    // closes without an answer, the presenter takes that as the choice that
    // does nothing, and the window then closes as the user would close it.
    void EndRequested();
    // Compares the files of the command line without showing the window,
    // which appears only when the user must finish the choice in it. Once
    // the diff program has started, the program ends, or waits hidden for
    // the copies it must delete.
    void CompareFromCommandLine();

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
    void ShowBuiltInHelp() override;
    void CloseWindow() override;
    platform::WindowHandle NativeHandle() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildButtons(const MainWindowDesign& design);
    void BuildMenus(const MainWindowDesign& design);
    void BuildStatusBar(const MainWindowDesign& design);
    QAction* AddItem(QMenu* menu, const MenuItemDesign& item);
    void Run(const std::function<void()>& handler);
    void Run(Command command);
    void ShowChecked(Command command, bool checked);
    void FitToDesignSize();
    // Closes the hidden window, saving as a close does, and ends the program.
    void EndInBackground();

    DialogProvider& dialogs_;
    QtAboutFormFactory aboutForms_; // outlives the presenter's About box
    TTwinvane presenter_;
    std::vector<std::pair<QPushButton*, Command>> buttons_;
    std::vector<QPushButton*> compareButtons_;
    std::vector<QAction*> compareItems_;
    // The check items and what the presenter last said they show.
    std::vector<std::pair<QAction*, Command>> checkItems_;
    bool deleteTempsChecked_ = false;
    bool shortNamesChecked_ = false;
    std::vector<ElidedLabel*> panels_;
    class HelpWindow* helpWindow_ = nullptr;
    bool placed_ = false;
    bool inBackground_ = false; // hidden until the clean-up it waits for is done
};

} // namespace twinvane::ui
