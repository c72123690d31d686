// SPDX-License-Identifier: MIT
#include "MainWindow.h"

#include "CopyProgressWait.h"
#include "DroppedFiles.h"
#include "ElidedLabel.h"
#include "HelpWindow.h"
#include "Pictures.h"
#include "WindowPlacement.h"
#include "app/StandardError.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace twinvane::ui {
namespace {

constexpr int kPendingDeletionPollMs = 1000;

} // namespace

MainWindow::MainWindow(SettingsStorage& storage, platform::ShellLauncher& shell,
                       DialogProvider& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), presenter_(*this, storage, shell) {
    const MainWindowDesign& design = MainWindowLayout();
    setObjectName(QString::fromStdString(design.name));
    setWindowTitle(QString::fromStdString(design.caption));
    setWindowIcon(ApplicationIcon());
    setAcceptDrops(true);
    BuildButtons(design);
    BuildMenus(design);
    BuildStatusBar(design);
    resize(design.outerWidth, design.outerHeight);
    // Temporary copies are deleted once the diff program reading them ends.
    auto* pendingDeletion = new QTimer(this);
    connect(pendingDeletion, &QTimer::timeout, this, [this] {
        Run([this] { presenter_.PollPendingDeletion(); });
        if (inBackground_ && !presenter_.WaitsForCleanUp()) {
            EndInBackground();
        }
    });
    pendingDeletion->start(kPendingDeletionPollMs);
}

void MainWindow::Run(const std::function<void()>& handler) {
    RunHandler(*this, handler);
}

void MainWindow::Run(Command command) {
    Run([this, command] { presenter_.RunCommand(command); });
}

void MainWindow::BuildButtons(const MainWindowDesign& design) {
    setCentralWidget(new QWidget(this));
    for (const ButtonDesign& b : design.buttons) {
        auto* button = new QPushButton(QString::fromStdString(b.caption), centralWidget());
        button->setObjectName(QString::fromStdString(b.name));
        button->setGeometry(b.left, b.top, b.width, b.height);
        button->setToolTip(QString::fromStdString(b.tooltip));
        button->setEnabled(b.enabledAtStart);
        const Command command = b.command;
        connect(button, &QPushButton::clicked, this, [this, command] { Run(command); });
        buttons_.emplace_back(button, command);
        if (command == Command::Compare) {
            compareButtons_.push_back(button);
        }
    }
}

void MainWindow::BuildStatusBar(const MainWindowDesign& design) {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QString::fromStdString(design.statusBarName));
    bar->setFixedHeight(design.statusBarHeight);
    // The window resizes by its frame; the grip would only narrow the last panel.
    bar->setSizeGripEnabled(false);
    for (const StatusPanelDesign& p : design.panels) {
        auto* panel = new ElidedLabel(QString::fromStdString(p.initialText), bar);
        panel->setObjectName(QString::fromStdString(p.name));
        panel->setAccessibleDescription(QString::fromStdString(p.accessibleDescription));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        if (p.fillsRest) {
            // A long text is cut off rather than widening the window.
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            bar->addWidget(panel, 1);
        } else {
            panel->setFixedWidth(p.width);
            bar->addWidget(panel);
        }
        panels_.push_back(panel);
    }
    setStatusBar(bar);
}

void MainWindow::ShowBuiltInHelp() {
    if (helpWindow_ == nullptr) {
        helpWindow_ = new HelpWindow(this);
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void MainWindow::SetStatusText(int panel, const std::string& text) {
    if (panel >= 0 && static_cast<std::size_t>(panel) < panels_.size()) {
        panels_[static_cast<std::size_t>(panel)]->SetFullText(QFile::decodeName(text.c_str()));
    }
}

void MainWindow::SetCompareEnabled(bool enabled) {
    for (QAction* item : compareItems_) {
        item->setEnabled(enabled);
    }
    for (QPushButton* button : compareButtons_) {
        button->setEnabled(enabled);
    }
}

void MainWindow::ShowChecked(Command command, bool checked) {
    for (const auto& [item, itemCommand] : checkItems_) {
        if (itemCommand == command) {
            item->setChecked(checked);
        }
    }
}

void MainWindow::SetDeleteTempsChecked(bool checked) {
    deleteTempsChecked_ = checked;
    ShowChecked(Command::DeleteTemps, checked);
}

void MainWindow::SetShortNamesChecked(bool checked) {
    shortNamesChecked_ = checked;
    ShowChecked(Command::ShortNames, checked);
}

LocateChoice MainWindow::RunLocateChoice(const std::vector<ProgramOffer>& offers) {
    return dialogs_.ChooseProgram(this, offers);
}

std::optional<std::string> MainWindow::RunArgumentsDialog(const std::string& current) {
    const auto edited = dialogs_.GetArguments(this, QString::fromStdString(current));
    if (!edited) {
        return std::nullopt;
    }
    return edited->toStdString();
}

std::optional<std::string> MainWindow::RunOpenDialog(FileDialogId,
                                                     const FileDialogRequest& request) {
    const auto chosen = dialogs_.GetOpenFileName(this, request);
    if (!chosen) {
        return std::nullopt;
    }
    return QFile::encodeName(*chosen).toStdString();
}

MessageButton MainWindow::ShowMessage(MessageKind kind, const std::string& text,
                                      const std::vector<MessageButton>& buttons) {
    return dialogs_.AskMessage(this, kind, QFile::decodeName(text.c_str()), buttons);
}

void MainWindow::WaitForCopies(CopyProgress& copies) {
    ui::WaitForCopies(this, copies);
}

void MainWindow::ShowPlainMessage(const std::string& text) {
    dialogs_.ShowPlainMessage(this, QFile::decodeName(text.c_str()));
}

void MainWindow::ShowErrorBox(const std::string& text) {
    dialogs_.ShowErrorBox(this, QFile::decodeName(text.c_str()));
}

void MainWindow::CloseWindow() {
    close();
}

void MainWindow::EndRequested() {
    presenter_.RequestEnd();
    // Each dialog's own loop returns once it is rejected; the handler that
    // opened it then finishes before the queued close runs.
    for (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr;
         modal = QApplication::activeModalWidget()) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (dialog == nullptr || !dialog->isVisible()) {
            modal->close();
            break;
        }
        dialog->reject();
    }
    QTimer::singleShot(0, this, [this] { close(); });
}

void MainWindow::CompareFromCommandLine() {
    using Outcome = TTwinvane::StartOutcome;
    // The boxes of the comparison are the only windows: closing one must
    // not end the program.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    // The boxes open over their hidden parent: centred, as the window would be.
    PlaceCentred(*this);
    auto outcome = Outcome::ShowWindow;
    Run([this, &outcome] { outcome = presenter_.CompareAtStart(); });
    QGuiApplication::setQuitOnLastWindowClosed(true);
    switch (outcome) {
    case Outcome::ShowWindow:
        show();
        break;
    case Outcome::Wait:
        inBackground_ = true;
        break;
    case Outcome::End:
        EndInBackground();
        break;
    }
}

void MainWindow::EndInBackground() {
    inBackground_ = false;
    close(); // a hidden window's close ends the program
}

platform::WindowHandle MainWindow::NativeHandle() const {
    return static_cast<platform::WindowHandle>(winId());
}

void MainWindow::FitToDesignSize() {
    // Make the outer size, frame included, what the design asks for, where
    // the platform reports a frame at all.
    const MainWindowDesign& design = MainWindowLayout();
    const QSize frame = frameGeometry().size() - size();
    resize(design.outerWidth - frame.width(), design.outerHeight - frame.height());
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!placed_) {
        placed_ = true;
        FitToDesignSize();
        PlaceCentred(*this);
        // Platforms without window activation (offscreen, some Wayland
        // compositors) still get the start-up work; it runs only once.
        QTimer::singleShot(0, this, [this] { Run([this] { presenter_.FormActivate(); }); });
    }
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Run([this] { presenter_.FormActivate(); });
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Run([this] { presenter_.FormClose(); });
    event->accept();
    if (!isVisible()) {
        // A hidden window's close is no last window closing: a termination
        // request while waiting in the background ends the program here.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const auto files = DroppedFiles(event->mimeData());
    if (files.size() == 1 || files.size() == 2) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const auto files = DroppedFiles(event->mimeData());
    if (files.size() == 2) {
        Run([&] { presenter_.FilesDropped(files); });
    } else if (files.size() == 1) {
        // One file belongs to the button it was dropped on, if any.
        const QWidget* target = childAt(event->position().toPoint());
        for (const auto& button : buttons_) {
            if (button.first == target) {
                Run([&] { presenter_.FileDroppedOn(button.second, files.front()); });
            }
        }
    }
    event->acceptProposedAction();
}

} // namespace twinvane::ui
