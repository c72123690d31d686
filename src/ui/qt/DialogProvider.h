// SPDX-License-Identifier: MIT
#pragma once

#include "app/MainView.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace twinvane::ui {

// Where the main window gets its modal dialogs from, so that tests can
// answer them without blocking.
class DialogProvider {
public:
    virtual ~DialogProvider() = default;
    virtual std::optional<QString> GetOpenFileName(QWidget* parent,
                                                   const FileDialogRequest& request) = 0;
    // The arguments dialog with `current` in its field; the text accepted,
    // or nothing when cancelled.
    virtual std::optional<QString> GetArguments(QWidget* parent, const QString& current) = 0;
    // The first step of Locate Windiff over `offers`; what the user chose.
    virtual LocateChoice ChooseProgram(QWidget* parent,
                                       const std::vector<ProgramOffer>& offers) = 0;
    virtual MessageButton AskMessage(QWidget* parent, MessageKind kind, const QString& text,
                                     const std::vector<MessageButton>& buttons) = 0;
    virtual void ShowPlainMessage(QWidget* parent, const QString& text) = 0;
    virtual void ShowErrorBox(QWidget* parent, const QString& text) = 0;
};

// The real dialogs.
class QtDialogProvider final : public DialogProvider {
public:
    std::optional<QString> GetOpenFileName(QWidget* parent,
                                           const FileDialogRequest& request) override;
    std::optional<QString> GetArguments(QWidget* parent, const QString& current) override;
    LocateChoice ChooseProgram(QWidget* parent, const std::vector<ProgramOffer>& offers) override;
    MessageButton AskMessage(QWidget* parent, MessageKind kind, const QString& text,
                             const std::vector<MessageButton>& buttons) override;
    void ShowPlainMessage(QWidget* parent, const QString& text) override;
    void ShowErrorBox(QWidget* parent, const QString& text) override;
};

// The dialogs as QtDialogProvider shows them, built but not shown.
std::unique_ptr<QFileDialog> BuildFileDialog(QWidget* parent, const FileDialogRequest& request);
std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, MessageKind kind, const QString& text,
                                             const std::vector<MessageButton>& buttons);
std::unique_ptr<QMessageBox> BuildPlainMessageBox(QWidget* parent, const QString& text);
std::unique_ptr<QMessageBox> BuildErrorBox(QWidget* parent, const QString& text);

// Which button of a box built by BuildMessageBox was pressed.
MessageButton AnswerOf(const QMessageBox& box);

} // namespace twinvane::ui
