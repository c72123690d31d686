// SPDX-License-Identifier: MIT
#include "DialogProvider.h"

#include "ArgumentsDialog.h"
#include "LocateChoiceDialog.h"
#include "about/ProgramInfo.h"

#include <QAbstractButton>
#include <QPushButton>

namespace twinvane::ui {
namespace {

const char* const kAnswerProperty = "twinvaneAnswer";
const QString kApplicationTitle = QString::fromUtf8(kProgramTitle);

QMessageBox::ButtonRole ButtonRole(MessageButton button) {
    switch (button) {
    case MessageButton::Ok:
        return QMessageBox::AcceptRole;
    case MessageButton::Cancel:
        return QMessageBox::RejectRole;
    case MessageButton::Abort:
        return QMessageBox::DestructiveRole;
    }
    return QMessageBox::InvalidRole;
}

// The texts use carriage returns as line breaks; Qt breaks only at "\n".
QString DisplayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

std::unique_ptr<QMessageBox> BuildSimpleBox(QWidget* parent, QMessageBox::Icon icon,
                                            const QString& text) {
    auto box = std::make_unique<QMessageBox>(icon, kApplicationTitle, DisplayText(text),
                                             QMessageBox::NoButton, parent);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    return box;
}

} // namespace

std::unique_ptr<QFileDialog> BuildFileDialog(QWidget* parent, const FileDialogRequest& request) {
    auto dialog = std::make_unique<QFileDialog>(parent, QString::fromStdString(request.title));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    // Names that do not exist are taken too; only the readiness check tells.
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setSizeGripEnabled(true);
    if (!request.initialFolder.empty()) {
        dialog->setDirectory(QFile::decodeName(request.initialFolder.c_str()));
    }
    if (!request.filterDescription.empty()) {
        dialog->setNameFilter(
            QString::fromStdString(request.filterDescription + " (" + request.filterPattern + ")"));
    }
    dialog->setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.fileName.empty()) {
        dialog->selectFile(QFile::decodeName(request.fileName.c_str()));
    }
    return dialog;
}

std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, MessageKind kind, const QString& text,
                                             const std::vector<MessageButton>& buttons) {
    const bool warning = kind == MessageKind::Warning;
    auto box = std::make_unique<QMessageBox>(warning ? QMessageBox::Warning : QMessageBox::Critical,
                                             QString::fromUtf8(MessageCaption(kind)),
                                             DisplayText(text), QMessageBox::NoButton, parent);
    for (const MessageButton button : buttons) {
        QPushButton* added =
            box->addButton(QString::fromUtf8(MessageButtonCaption(button)), ButtonRole(button));
        added->setProperty(kAnswerProperty, static_cast<int>(button));
        if (button == MessageButton::Ok) {
            box->setDefaultButton(added); // Enter answers OK
        } else if (button == MessageButton::Cancel) {
            box->setEscapeButton(added); // Escape answers Cancel
        }
    }
    return box;
}

std::unique_ptr<QMessageBox> BuildPlainMessageBox(QWidget* parent, const QString& text) {
    return BuildSimpleBox(parent, QMessageBox::NoIcon, text);
}

std::unique_ptr<QMessageBox> BuildErrorBox(QWidget* parent, const QString& text) {
    return BuildSimpleBox(parent, QMessageBox::Critical, text);
}

MessageButton AnswerOf(const QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr || !clicked->property(kAnswerProperty).isValid()) {
        return MessageButton::Cancel; // closed without an answer
    }
    return static_cast<MessageButton>(clicked->property(kAnswerProperty).toInt());
}

std::optional<QString> QtDialogProvider::GetOpenFileName(QWidget* parent,
                                                         const FileDialogRequest& request) {
    const auto dialog = BuildFileDialog(parent, request);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog->selectedFiles().constFirst();
}

std::optional<QString> QtDialogProvider::GetArguments(QWidget* parent, const QString& current) {
    ArgumentsDialog dialog(parent, current);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Template();
}

LocateChoice QtDialogProvider::ChooseProgram(QWidget* parent,
                                             const std::vector<ProgramOffer>& offers) {
    LocateChoiceDialog dialog(parent, offers);
    dialog.exec();
    return dialog.Choice();
}

MessageButton QtDialogProvider::AskMessage(QWidget* parent, MessageKind kind, const QString& text,
                                           const std::vector<MessageButton>& buttons) {
    const auto box = BuildMessageBox(parent, kind, text, buttons);
    box->exec();
    return AnswerOf(*box);
}

void QtDialogProvider::ShowPlainMessage(QWidget* parent, const QString& text) {
    BuildPlainMessageBox(parent, text)->exec();
}

void QtDialogProvider::ShowErrorBox(QWidget* parent, const QString& text) {
    BuildErrorBox(parent, text)->exec();
}

} // namespace twinvane::ui
