// SPDX-License-Identifier: MIT
#pragma once

#include "DialogProvider.h"
#include "QtAboutFormFactory.h"
#include "about/TVarnookAboutBox.h"
#include "app/MainView.h"
#include "app/TTwinvane.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace twinvane::ui {

// The Qt face of the main window: widgets, menus and the status bar. Every
// user action is handed to the TTwinvane presenter through RunHandler.
class MainWindow final : public QMainWindow, public MainView {
    Q_OBJECT

public:
    MainWindow(SettingsStorage& storage, platform::ShellLauncher& shell, DialogProvider& dialogs,
               QWidget* parent = nullptr);

    TTwinvane& Presenter() noexcept { return presenter_; }

    // MainView
    void SetStatusText(int panel, const std::string& text) override;
    void SetCompareEnabled(bool enabled) override;
    void SetDeleteTempsChecked(bool checked) override;
    std::optional<std::string> RunOpenDialog(FileDialogId dialog,
                                             const FileDialogRequest& request) override;
    MessageButton ShowMessage(MessageKind kind, const std::string& text,
                              const std::vector<MessageButton>& buttons) override;
    void ShowPlainMessage(const std::string& text) override;
    void ShowErrorBox(const std::string& text) override;
    TKURL2& WebLink() override;
    TKURL2& EmailLink() override;
    void ShowBuiltInHelp() override;
    TVarnookAboutBox& AboutBox() override { return aboutBox_; }
    void CloseWindow() override;
    platform::WindowHandle NativeHandle() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildButtons();
    void BuildMenus();
    void BuildStatusBar();
    void BuildLinkPanel(platform::ShellLauncher& shell);
    QPushButton* AddButton(const char* name, const QString& text, int top, const QString& tip,
                           void (TTwinvane::*handler)());
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                     void (TTwinvane::*handler)());
    void Run(const std::function<void()>& handler);
    void PlaceCentred();

    DialogProvider& dialogs_;
    QtAboutFormFactory aboutForms_; // outlives the box that makes its forms
    TVarnookAboutBox aboutBox_{aboutForms_};
    TTwinvane presenter_;
    QPushButton* file1Btn_ = nullptr;
    QPushButton* button2_ = nullptr;
    QPushButton* compare2_ = nullptr;
    QAction* compare1_ = nullptr;
    QAction* deleteTemps_ = nullptr;
    QLabel* panels_[3] = {};
    class KURL2Control* web_ = nullptr;
    class KURL2Control* email_ = nullptr;
    class HelpWindow* helpWindow_ = nullptr;
    bool placed_ = false;
};

} // namespace twinvane::ui
