// SPDX-License-Identifier: MIT
#pragma once

#include "about/FakeAboutForm.h"
#include "app/MainView.h"
#include "app/SettingsStorage.h"
#include "platform/Exception.h"
#include "support/RecordingLauncher.h" // the launcher tests pair with this view

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace twinvane::testing {

// A scripted view: dialogs and message boxes take their answers from queues
// the test fills, and everything shown is recorded.
class FakeMainView final : public MainView {
public:
    struct Message {
        MessageKind kind;
        std::string text;
        std::vector<MessageButton> buttons;
    };

    std::string panels[3] = {"File 1", "File 2", ""};
    bool compareEnabled = false;
    bool deleteTempsChecked = false;
    bool shortNamesChecked = false;
    bool closeRequested = false;
    std::deque<std::optional<std::string>> dialogAnswers;
    std::deque<MessageButton> messageAnswers;
    std::deque<std::optional<std::string>> argumentAnswers;
    std::deque<LocateChoice> locateAnswers;
    std::vector<std::vector<ProgramOffer>> locateOffers; // each first step's list
    std::vector<std::string> argumentsShown;             // what the arguments dialog's field showed
    // Runs while a message box is open, before it is answered.
    std::function<void()> whileAsking;
    std::vector<std::pair<FileDialogId, FileDialogRequest>> dialogsShown;
    std::vector<Message> messagesShown;
    std::vector<std::string> plainMessages;
    std::vector<std::string> errorBoxes;
    // Runs while copies are waited for, before they are waited out.
    std::function<void(CopyProgress&)> whileCopying;
    int copyWaits = 0;

    void SetStatusText(int panel, const std::string& text) override { panels[panel] = text; }
    void SetCompareEnabled(bool enabled) override { compareEnabled = enabled; }
    void SetDeleteTempsChecked(bool checked) override { deleteTempsChecked = checked; }
    void SetShortNamesChecked(bool checked) override { shortNamesChecked = checked; }

    LocateChoice RunLocateChoice(const std::vector<ProgramOffer>& offers) override {
        locateOffers.push_back(offers);
        if (locateAnswers.empty()) {
            throw std::logic_error("unexpected choice of diff program");
        }
        const LocateChoice answer = locateAnswers.front();
        locateAnswers.pop_front();
        return answer;
    }

    std::optional<std::string> RunArgumentsDialog(const std::string& current) override {
        argumentsShown.push_back(current);
        if (argumentAnswers.empty()) {
            throw std::logic_error("unexpected arguments dialog");
        }
        auto answer = argumentAnswers.front();
        argumentAnswers.pop_front();
        return answer;
    }

    std::optional<std::string> RunOpenDialog(FileDialogId dialog,
                                             const FileDialogRequest& request) override {
        dialogsShown.emplace_back(dialog, request);
        if (dialogAnswers.empty()) {
            throw std::logic_error("unexpected open-file dialog");
        }
        auto answer = dialogAnswers.front();
        dialogAnswers.pop_front();
        return answer;
    }

    MessageButton ShowMessage(MessageKind kind, const std::string& text,
                              const std::vector<MessageButton>& buttons) override {
        messagesShown.push_back({kind, text, buttons});
        if (whileAsking) {
            whileAsking();
        }
        if (messageAnswers.empty()) {
            throw std::logic_error("unexpected message box: " + text);
        }
        const auto answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }

    void WaitForCopies(CopyProgress& copies) override {
        ++copyWaits;
        if (whileCopying) {
            whileCopying(copies);
        }
        while (!copies.Finished()) {
            std::this_thread::yield();
        }
    }

    void ShowPlainMessage(const std::string& text) override { plainMessages.push_back(text); }
    void ShowErrorBox(const std::string& text) override { errorBoxes.push_back(text); }
    void CloseWindow() override { closeRequested = true; }
    platform::WindowHandle NativeHandle() const override { return 0x1234; }

    void ShowBuiltInHelp() override { ++builtInHelpShown; }
    AboutFormFactory& AboutForms() override { return aboutForms; }

    int builtInHelpShown = 0;
    FakeAboutFormFactory aboutForms;
};

// Keeps settings in memory; a load or save can be made to fail.
class FakeSettingsStorage final : public SettingsStorage {
public:
    StoredSettings stored;
    int loads = 0;
    int saves = 0;
    bool failLoadAfterInstall = false;
    bool failSave = false;

    void Load(StoredSettings& settings, SettingsFields& read) override {
        ++loads;
        settings.InstallFolder = stored.InstallFolder;
        read = SettingsFields().set(kInstallField);
        if (failLoadAfterInstall) {
            throw Exception("Invalid data type for 'File 1'");
        }
        settings = stored;
        read = AllSettingsFields();
    }
    // Like the real store, keeps only the values it is given.
    void Save(const StoredSettings& settings, SettingsFields fields) override {
        ++saves;
        if (failSave) {
            throw Exception("Failed to set data for 'Install'");
        }
        const auto keep = [&](SettingsField field, auto& to, const auto& from) {
            if (fields[field]) {
                to = from;
            }
        };
        keep(kInstallField, stored.InstallFolder, settings.InstallFolder);
        keep(kFile1Field, stored.File1, settings.File1);
        keep(kFile2Field, stored.File2, settings.File2);
        keep(kWinDiffPathField, stored.WinDiffPath, settings.WinDiffPath);
        keep(kActionField, stored.ActionSetting, settings.ActionSetting);
        keep(kDeleteTempsField, stored.DeleteTemps, settings.DeleteTemps);
        keep(kWinDiffArgsField, stored.WinDiffArgs, settings.WinDiffArgs);
        keep(kShortNamesField, stored.ShortNames, settings.ShortNames);
    }
};

} // namespace twinvane::testing
