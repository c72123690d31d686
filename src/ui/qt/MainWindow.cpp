// SPDX-License-Identifier: MIT
#include "MainWindow.h"

#include "HelpWindow.h"
#include "KURL2Control.h"
#include "Pictures.h"
#include "about/AboutBoxDesign.h"
#include "app/StandardError.h"
#include "widgets/MakerLinks.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace twinvane::ui {
namespace {

constexpr int kOuterWidth = 544;
constexpr int kOuterHeight = 255;
constexpr int kPendingDeletionPollMs = 1000;

std::vector<std::string> DroppedFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) {
            return {};
        }
        files.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    }
    return files;
}

} // namespace

MainWindow::MainWindow(SettingsStorage& storage, platform::ShellLauncher& shell,
                       DialogProvider& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), presenter_(*this, storage, shell) {
    setObjectName(QStringLiteral("Twinvane"));
    setWindowTitle(QStringLiteral("Twinvane"));
    setWindowIcon(ApplicationIcon());
    ApplyMainWindowAboutDesign(aboutBox_);
    setAcceptDrops(true);
    BuildButtons();
    BuildMenus();
    BuildStatusBar();
    BuildLinkPanel(shell);
    resize(kOuterWidth, kOuterHeight);
    // Temporary copies are deleted once the diff program reading them ends.
    auto* pendingDeletion = new QTimer(this);
    connect(pendingDeletion, &QTimer::timeout, this,
            [this] { Run([this] { presenter_.PollPendingDeletion(); }); });
    pendingDeletion->start(kPendingDeletionPollMs);
}

void MainWindow::Run(const std::function<void()>& handler) {
    RunHandler(*this, handler);
}

QPushButton* MainWindow::AddButton(const char* name, const QString& text, int top,
                                   const QString& tip, void (TTwinvane::*handler)()) {
    auto* button = new QPushButton(text, centralWidget());
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(24, top, 105, 25);
    button->setToolTip(tip);
    connect(button, &QPushButton::clicked, this,
            [this, handler] { Run([this, handler] { (presenter_.*handler)(); }); });
    return button;
}

void MainWindow::BuildButtons() {
    setCentralWidget(new QWidget(this));
    file1Btn_ =
        AddButton("File1Btn", QStringLiteral("Select File 1"), 24,
                  QStringLiteral("Choose the first file to compare"), &TTwinvane::File1BtnClick);
    button2_ =
        AddButton("Button2", QStringLiteral("Select File 2"), 56,
                  QStringLiteral("Choose the second file to compare"), &TTwinvane::File2BtnClick);
    AddButton("Button1", QStringLiteral("Select Files"), 88,
              QStringLiteral("Choose both files, one after the other"),
              &TTwinvane::SelectFiles1Click);
    compare2_ = AddButton("Compare2", QStringLiteral("Compare"), 120,
                          QStringLiteral("Start the diff program on the two files"),
                          &TTwinvane::Compare1Click);
    compare2_->setEnabled(false);
}

void MainWindow::BuildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setFixedHeight(25);
    // The window resizes by its frame; the grip would only narrow the last panel.
    bar->setSizeGripEnabled(false);
    const QString texts[3] = {QStringLiteral("File 1"), QStringLiteral("File 2"), QString()};
    const QString names[3] = {QStringLiteral("File 1"), QStringLiteral("File 2"),
                              QStringLiteral("Status")};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(texts[i], bar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setAccessibleName(names[i]);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        if (i < 2) {
            panel->setFixedWidth(200);
            bar->addWidget(panel);
        } else {
            // The last panel runs to the right edge; a long text there is
            // cut off rather than widening the window.
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            bar->addWidget(panel, 1);
        }
        panels_[i] = panel;
    }
    setStatusBar(bar);
}

void MainWindow::BuildLinkPanel(platform::ShellLauncher& shell) {
    // The panel is never shown: its labels only hold the two addresses and
    // open them for the Help menu.
    auto* panel = new QWidget(centralWidget());
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(216, 8, 233, 57);
    panel->hide();
    const auto addLink = [&](const char* name, int top, const char* address, LinkType kind) {
        auto* control = new KURL2Control(panel, shell);
        control->setObjectName(QString::fromLatin1(name));
        KURL2Design design;
        design.left = 32;
        design.top = top;
        design.urlOrEmail = address;
        design.choose = kind;
        control->Link().Restore(design);
        return control;
    };
    web_ = addLink("web", 8, kMakerWebAddress, ltURL);
    email_ = addLink("email", 32, kMakerSupportAddress, ltEMAIL);
}

TKURL2& MainWindow::WebLink() {
    return web_->Link();
}

TKURL2& MainWindow::EmailLink() {
    return email_->Link();
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
    if (panel >= 0 && panel < 3) {
        panels_[panel]->setText(QFile::decodeName(text.c_str()));
    }
}

void MainWindow::SetCompareEnabled(bool enabled) {
    compare1_->setEnabled(enabled);
    compare2_->setEnabled(enabled);
}

void MainWindow::SetDeleteTempsChecked(bool checked) {
    deleteTemps_->setChecked(checked);
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

void MainWindow::ShowPlainMessage(const std::string& text) {
    dialogs_.ShowPlainMessage(this, QFile::decodeName(text.c_str()));
}

void MainWindow::ShowErrorBox(const std::string& text) {
    dialogs_.ShowErrorBox(this, QFile::decodeName(text.c_str()));
}

void MainWindow::CloseWindow() {
    close();
}

platform::WindowHandle MainWindow::NativeHandle() const {
    return static_cast<platform::WindowHandle>(winId());
}

void MainWindow::PlaceCentred() {
    // Make the outer size, frame included, what the design asks for, where
    // the platform reports a frame at all.
    const QSize frame = frameGeometry().size() - size();
    resize(kOuterWidth - frame.width(), kOuterHeight - frame.height());
    if (const QScreen* current = screen()) {
        QRect outer = frameGeometry();
        outer.moveCenter(current->availableGeometry().center());
        move(outer.topLeft());
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!placed_) {
        placed_ = true;
        PlaceCentred();
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
        const QWidget* target = childAt(event->position().toPoint());
        const int which = target == file1Btn_ ? 1 : target == button2_ ? 2 : 0;
        Run([&] { presenter_.FileDroppedOnSelector(which, files.front()); });
    }
    event->acceptProposedAction();
}

} // namespace twinvane::ui
