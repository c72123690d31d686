// SPDX-License-Identifier: MIT
#pragma once

#include "ui/qt/DialogProvider.h"

#include <QStringList>

#include <deque>
#include <functional>

namespace twinvane::testing {

// Answers the main window's dialogs from queues and records what was asked.
class ScriptedDialogs final : public ui::DialogProvider {
public:
    // An empty answer cancels the dialog.
    QStringList fileAnswers;
    std::deque<MessageButton> messageAnswers;
    // An empty answer cancels the arguments dialog.
    QStringList argumentAnswers;
    QStringList argumentsShown;
    std::deque<LocateChoice> locateAnswers; // none left: Cancel
    std::vector<std::vector<ProgramOffer>> locateOffers;
    // Runs while a message box is open, before it is answered.
    std::function<void()> whileAsking;
    std::vector<FileDialogRequest> fileRequests;
    QStringList messages;
    QStringList plainMessages;
    QStringList errorBoxes;

    std::optional<QString> GetOpenFileName(QWidget*, const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        const QString answer = fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
        if (answer.isEmpty()) {
            return std::nullopt;
        }
        return answer;
    }
    std::optional<QString> GetArguments(QWidget*, const QString& current) override {
        argumentsShown << current;
        const QString answer = argumentAnswers.isEmpty() ? QString() : argumentAnswers.takeFirst();
        if (answer.isEmpty()) {
            return std::nullopt;
        }
        return answer;
    }
    LocateChoice ChooseProgram(QWidget*, const std::vector<ProgramOffer>& offers) override {
        locateOffers.push_back(offers);
        if (locateAnswers.empty()) {
            return {};
        }
        const LocateChoice answer = locateAnswers.front();
        locateAnswers.pop_front();
        return answer;
    }
    MessageButton AskMessage(QWidget*, MessageKind, const QString& text,
                             const std::vector<MessageButton>&) override {
        messages << text;
        if (whileAsking) {
            whileAsking();
        }
        if (messageAnswers.empty()) {
            return MessageButton::Cancel;
        }
        const auto answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    void ShowPlainMessage(QWidget*, const QString& text) override { plainMessages << text; }
    void ShowErrorBox(QWidget*, const QString& text) override { errorBoxes << text; }
};

} // namespace twinvane::testing
