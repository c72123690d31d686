// SPDX-License-Identifier: MIT
#include "TTwinvane.h"

#include "DiffArguments.h"
#include "FileDialogs.h"
#include "KnownPrograms.h"
#include "StandardError.h"
#include "about/AboutBoxDesign.h"
#include "fileutil/stringutils.h"
#include "platform/AppPaths.h"
#include "platform/FileSystem.h"
#include "platform/HelpViewer.h"
#include "widgets/KURL2.h"
#include "widgets/MakerLinks.h"

namespace twinvane {

TTwinvane::TTwinvane(MainView& view, SettingsStorage& storage, platform::ShellLauncher& shell)
    : view_(view), storage_(storage), shell_(shell), loaded_(state_.Stored),
      aboutBox_(view.AboutForms()) {
    ApplyMainWindowAboutDesign(aboutBox_);
}

void TTwinvane::RunCommand(Command command) {
    switch (command) {
    case Command::SelectFile1:
        return File1BtnClick();
    case Command::SelectFile2:
        return File2BtnClick();
    case Command::SelectFiles:
        return SelectFiles1Click();
    case Command::Compare:
        return Compare1Click();
    case Command::SaveFiles:
        return SaveFiles1Click();
    case Command::Exit:
        return Exit1Click();
    case Command::LocateWindiff:
        return LocateWindiffClick();
    case Command::ClearFileList:
        return ClearFileList1Click();
    case Command::DeleteTemps:
        return DeletetempsClick();
    case Command::Help:
        return Help2Click();
    case Command::About:
        return About1Click();
    case Command::EmailVarnook:
        return emailVarnook1Click();
    case Command::VarnookOnTheWeb:
        return VarnookontheWeb1Click();
    case Command::ShortNames:
        return ShortNames1Click();
    case Command::DiffProgramArguments:
        return DiffProgramArguments1Click();
    }
}

void TTwinvane::SetCommandLineFiles(const std::vector<std::string>& names) {
    commandLineFiles_ = {};
    for (std::size_t i = 0; i < names.size() && i < commandLineFiles_.size(); ++i) {
        commandLineFiles_[i] = platform::FullPathName(names[i]);
    }
}

void TTwinvane::SetCommandLineFile2(const std::string& name) {
    commandLineFiles_ = {std::nullopt, platform::FullPathName(name)};
}

void TTwinvane::SetCommandLine(const ProgramArguments& arguments) {
    if (arguments.action == ProgramArguments::Action::CompareWithFile1) {
        SetCommandLineFile2(arguments.files.front());
    } else {
        SetCommandLineFiles(arguments.files);
    }
}

void TTwinvane::ApplyCommandLineFiles() {
    if (commandLineFiles_[0]) {
        SetFile1(*commandLineFiles_[0]);
    }
    if (commandLineFiles_[1]) {
        SetFile2(*commandLineFiles_[1]);
    }
    commandLineFiles_ = {};
}

TTwinvane::StartOutcome TTwinvane::CompareAtStart() {
    try {
        FormActivate();
    } catch (...) {
        // The settings could not be read: the window shows why, and lets
        // the user go on with what the command line gave.
        view_.ShowPlainMessage(ShortTextWithReason("File Selection error"));
        return StartOutcome::ShowWindow;
    }
    // What cannot start anyway needs the window, not a question first.
    if (state_.Stored.File1.empty() || !CheckReady()) {
        return StartOutcome::ShowWindow;
    }
    switch (Compare()) {
    case CompareOutcome::Started:
        SaveSettings();
        return WaitsForCleanUp() ? StartOutcome::Wait : StartOutcome::End;
    case CompareOutcome::Declined:
        return StartOutcome::End;
    case CompareOutcome::NotStarted:
        break;
    }
    return StartOutcome::ShowWindow;
}

void TTwinvane::FormActivate() {
    if (activated_) {
        return;
    }
    activated_ = true;
    // Copies a diff program still held when Twinvane last ended go now.
    if (const std::string problem = pendingDeletion_.Resume(); !problem.empty()) {
        view_.ShowErrorBox(StandardErrorText(problem));
    }
    try {
        LoadSettings(); // a failure here ends activation: the steps below do not run
    } catch (...) {
        // The names the user gave do not depend on the settings: they still
        // replace what was stored, or an unreadable value would block them
        // at every start.
        ApplyCommandLineFiles();
        throw;
    }
    helpFile_ = AddTrailingBackslash(state_.Stored.InstallFolder) + "twinvane.hlp";
    // The About box shows the version block of the program itself.
    aboutBox_.SetFilename(platform::RunningExecutablePath());
    state_.Substituted = false;
    ApplyCommandLineFiles();
    CheckReady();
}

bool TTwinvane::CheckReady() {
    const bool windiffFound = platform::FileExists(state_.Stored.WinDiffPath);
    if (windiffFound && platform::FileExists(state_.Stored.File1) &&
        platform::FileExists(state_.Stored.File2)) {
        view_.SetCompareEnabled(true);
        view_.SetStatusText(kPanelFile1, state_.Stored.File1);
        view_.SetStatusText(kPanelFile2, state_.Stored.File2);
        view_.SetStatusText(kPanelReadiness, "READY");
        return true;
    }
    view_.SetStatusText(kPanelReadiness, windiffFound ? "NOT READY" : "CAN'T FIND WINDIFF");
    return false;
}

void TTwinvane::SetFile1(const std::string& path) {
    pendingDeletion_.Keep(path); // a copy due for deletion that the user picks again stays
    state_.UserFile1 = path;
    state_.Stored.File1 = path;
    view_.SetStatusText(kPanelFile1, state_.Stored.File1);
}

void TTwinvane::SetFile2(const std::string& path) {
    pendingDeletion_.Keep(path);
    state_.UserFile2 = path;
    state_.Stored.File2 = path;
    view_.SetStatusText(kPanelFile2, state_.Stored.File2);
}

void TTwinvane::File1BtnClick() {
    if (const auto chosen =
            view_.RunOpenDialog(FileDialogId::Open1, Open1Request(state_.Stored.File1))) {
        SetFile1(*chosen);
    }
}

void TTwinvane::File2BtnClick() {
    if (const auto chosen =
            view_.RunOpenDialog(FileDialogId::Open2, Open2Request(state_.Stored.File2))) {
        SetFile2(*chosen);
    }
    CheckReady();
}

void TTwinvane::SelectFiles1Click() {
    File1BtnClick();
    File2BtnClick();
}

void TTwinvane::LocateWindiffClick() {
    std::optional<std::string> chosen;
    const KnownProgram* known = nullptr;
    if (const auto found = FindKnownPrograms(); !found.empty()) {
        std::vector<ProgramOffer> offers;
        for (const FoundProgram& program : found) {
            offers.push_back({program.program->name, program.path});
        }
        const LocateChoice choice = view_.RunLocateChoice(offers);
        if (choice.kind == LocateChoice::Kind::Cancel) {
            return;
        }
        if (choice.kind == LocateChoice::Kind::Program && choice.index < found.size()) {
            chosen = found[choice.index].path;
            known = found[choice.index].program;
        }
    }
    if (!chosen) {
        chosen = view_.RunOpenDialog(FileDialogId::LocWindiff,
                                     LocWindiffRequest(state_.Stored.WinDiffPath));
        if (!chosen) {
            return;
        }
        known = KnownProgramAt(*chosen);
    }
    UseProgram(*chosen, known);
    SaveSettings();
    CheckReady();
}

void TTwinvane::UseProgram(const std::string& path, const KnownProgram* known) {
    state_.Stored.WinDiffPath = path;
    // A program the table does not know is started as the design starts
    // WinDiff, long-name question included.
    state_.Stored.WinDiffArgs = known != nullptr ? known->arguments : kDefaultDiffArguments;
    state_.Stored.ShortNames = known == nullptr || known->shortPaths;
    view_.SetShortNamesChecked(state_.Stored.ShortNames);
}

void TTwinvane::ClearFileList1Click() {
    state_.Stored.File1.clear();
    state_.Stored.File2.clear();
    state_.Substituted = false;
    SaveSettings();
}

void TTwinvane::DeletetempsClick() {
    state_.Stored.DeleteTemps = !state_.Stored.DeleteTemps;
    view_.SetDeleteTempsChecked(state_.Stored.DeleteTemps);
}

void TTwinvane::ShortNames1Click() {
    state_.Stored.ShortNames = !state_.Stored.ShortNames;
    view_.SetShortNamesChecked(state_.Stored.ShortNames);
}

void TTwinvane::DiffProgramArguments1Click() {
    const auto edited = view_.RunArgumentsDialog(state_.Stored.WinDiffArgs);
    if (!edited || !IsArgumentTemplate(*edited)) {
        return;
    }
    state_.Stored.WinDiffArgs = *edited;
    SaveSettings();
}

void TTwinvane::Exit1Click() {
    view_.CloseWindow();
}

void TTwinvane::FormClose() {
    try {
        // A window closed before its start-up work ran has loaded nothing:
        // a save would write defaults over the stored settings and drop the
        // files given on the command line. The start-up work runs first;
        // when its load fails, nothing is saved.
        FormActivate();
        SaveSettings();
    } catch (...) {
        view_.ShowPlainMessage(ShortTextWithReason("Unable to save files"));
    }
}

void TTwinvane::Help2Click() {
    if (!platform::ShowHelp(view_.NativeHandle(), helpFile_, platform::kHelpFinder, 0, shell_)) {
        view_.ShowBuiltInHelp();
    }
}

void TTwinvane::About1Click() {
    aboutBox_.Execute();
}

void TTwinvane::emailVarnook1Click() {
    OpenAddress(shell_, view_.NativeHandle(), ltEMAIL, kMakerSupportAddress);
}

void TTwinvane::VarnookontheWeb1Click() {
    OpenAddress(shell_, view_.NativeHandle(), ltURL, kMakerWebAddress);
}

void TTwinvane::FilesDropped(const std::vector<std::string>& paths) {
    if (paths.size() != 2) {
        return;
    }
    SetFile1(paths[0]);
    SetFile2(paths[1]);
    CheckReady();
}

void TTwinvane::FileDroppedOn(Command button, const std::string& path) {
    if (button == Command::SelectFile1) {
        SetFile1(path);
    } else if (button == Command::SelectFile2) {
        SetFile2(path);
    } else {
        return;
    }
    CheckReady();
}

void TTwinvane::LoadSettings() {
    const auto settled = [this] {
        loaded_ = state_.Stored;
        view_.SetDeleteTempsChecked(state_.Stored.DeleteTemps);
        view_.SetShortNamesChecked(state_.Stored.ShortNames);
    };
    try {
        SettingsFields read;
        storage_.Load(state_.Stored, read);
    } catch (...) {
        settled(); // what was read before the failure stays read
        throw;
    }
    settled();
    state_.UserFile1 = state_.Stored.File1;
    state_.UserFile2 = state_.Stored.File2;
}

void TTwinvane::SaveSettings() {
    storage_.Save(state_.Stored, ChangedFields(state_.Stored, loaded_));
    loaded_ = state_.Stored;
}

} // namespace twinvane
