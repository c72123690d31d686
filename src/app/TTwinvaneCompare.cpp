// SPDX-License-Identifier: MIT
// The Compare command: the path-length guard, the temporary copies, the
// start of the diff program and the clean-up afterwards.
#include "CleanUpNames.h"
#include "CopyJob.h"
#include "DiffArguments.h"
#include "StandardError.h"
#include "TTwinvane.h"

#include "fileutil/fileops.h"
#include "fileutil/stringutils.h"
#include "platform/AsciiText.h"
#include "platform/CommandLine.h"
#include "platform/DesktopPlaces.h"
#include "platform/FileSystem.h"
#include "platform/PathSyntax.h"

#include <algorithm>
#include <array>

namespace twinvane {
namespace {

// The diff program cannot take two paths that together reach this length.
constexpr std::size_t kPathLengthLimit = 64;

std::string LengthQuestion(const std::string& advice) {
    return "When added together the total length of the file paths exceeds 64 characters,\r" +
           advice +
           "\r Click Ok to Fix the problem, Click Abort to End the Comparison,\r"
           "Click Cancel to Open windiff on Compare and select the files from the WinDiff "
           "interface";
}

// The name as the diff program gets it. The program runs in a folder of its
// own, so a relative name is given as the full path that the readiness check
// found; as a full path, a name that begins with "-" cannot read as an option.
std::string NameForProgram(const std::string& name) {
    return platform::IsAbsolutePath(name) ? name : platform::FullPathName(name);
}

// Where a file of the comparison stands once substituted: the number of its
// temporary name, and whether it must be copied there.
struct Placement {
    std::size_t slot = 0;
    bool copy = true;
};

// A file that already is one of the temporary copies, whatever its spelling
// or links, stays where it is: it is not copied, and no copy is written over
// it, since it may hold the user's own edits. The other files take the
// temporary name of their own number, or the other one when that is taken.
std::array<Placement, 2> PlaceFiles(const std::array<std::string, 2>& files,
                                    const std::array<std::string, 2>& temporary) {
    const std::array temporaryIds{platform::IdentityOf(temporary[0]),
                                  platform::IdentityOf(temporary[1])};
    std::array<Placement, 2> placed{};
    std::array<bool, 2> taken{};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto identity = platform::IdentityOf(files[i]);
        for (std::size_t slot = 0; slot < 2 && identity && placed[i].copy; ++slot) {
            if (identity == temporaryIds[slot]) {
                placed[i] = {slot, false};
                taken[slot] = true;
            }
        }
    }
    for (std::size_t i = 0; i < 2; ++i) {
        if (placed[i].copy) {
            placed[i].slot = taken[i] ? 1 - i : i;
            taken[placed[i].slot] = true;
        }
    }
    return placed;
}

} // namespace

MessageButton TTwinvane::Ask(MessageKind kind, const std::string& text,
                             const std::vector<MessageButton>& buttons, MessageButton nothing) {
    if (ending_) {
        return nothing;
    }
    const MessageButton answer = view_.ShowMessage(kind, text, buttons);
    // A box closed by the end of the session answers as if closed by the
    // user, which may mean "go on".
    return ending_ ? nothing : answer;
}

TTwinvane::CompareOutcome TTwinvane::Compare() {
    if (ending_) {
        return CompareOutcome::Declined;
    }
    pendingDeletion_.Poll();
    if (!state_.Stored.ShortNames && state_.Substituted) {
        // A program that takes any path is given the user's own names.
        state_.Stored.File1 = state_.UserFile1;
        state_.Stored.File2 = state_.UserFile2;
        state_.Substituted = false;
    }
    view_.SetStatusText(kPanelFile1, state_.Stored.File1);
    view_.SetStatusText(kPanelFile2, state_.Stored.File2);
    if (state_.Stored.ShortNames && !CheckPathLength()) {
        return CompareOutcome::Declined;
    }
    if (!CheckReady()) {
        return CompareOutcome::NotStarted;
    }
    if (!CheckNamesReachProgram()) {
        return CompareOutcome::Declined;
    }
    try {
        const std::string program = NameForProgram(state_.Stored.WinDiffPath);
        const std::string file1 = NameForProgram(state_.Stored.File1);
        const std::string file2 = NameForProgram(state_.Stored.File2);
        // The vector reaches a Linux program as it is; Windows gets the
        // command line, which splits back into the same vector.
        platform::ShellStart started = StartWithShellFollowed(
            program, DiffCommandLine(state_.Stored.WinDiffArgs, file1, file2),
            DiffArgumentVector(state_.Stored.WinDiffArgs, file1, file2),
            platform::DiffProgramWorkingFolder(), platform::kShow, view_.NativeHandle(), shell_);
        if (started.result <= 32) {
            // Nothing reads the copies, so they stay and no clean-up is offered.
            view_.ShowErrorBox(StandardErrorText("Cannot start " + program + ": " +
                                                 platform::ShellFailureText(started.result)));
            return CompareOutcome::NotStarted;
        }
        if (state_.Stored.DeleteTemps && state_.Substituted) {
            OfferCleanUp(std::move(started.program));
        }
        return CompareOutcome::Started;
    } catch (...) {
        view_.ShowPlainMessage(ShortTextWithReason("File Selection error"));
    }
    return CompareOutcome::NotStarted;
}

bool TTwinvane::CheckPathLength() {
    const std::size_t length = state_.Stored.File1.size() + state_.Stored.File2.size();
    if (length < kPathLengthLimit) {
        return true;
    }
    const std::size_t namesLength =
        FileNamePart(state_.Stored.File1).size() + FileNamePart(state_.Stored.File2).size();
    const std::string advice = namesLength >= kPathLengthLimit
                                   ? "Twinvane cannot fix this problem automaticly."
                                   : "Twinvane can fix this problem by copying both files to " +
                                         platform::TemporaryCopyPlaceDescription() + ".";
    view_.SetStatusText(kPanelReadiness, "NAMES TOO LONG " + std::to_string(length));

    const MessageButton answer =
        Ask(MessageKind::Error, LengthQuestion(advice),
            {MessageButton::Ok, MessageButton::Cancel, MessageButton::Abort}, MessageButton::Abort);
    if (answer == MessageButton::Abort) {
        return false;
    }
    // Copies cancelled part-way leave things as Abort does.
    return answer != MessageButton::Ok || CopyToTemporaryNames();
}

bool TTwinvane::CheckNamesReachProgram() {
    if (!platform::StartsThroughCommandInterpreter(state_.Stored.WinDiffPath)) {
        return true;
    }
    for (const std::string* file : {&state_.Stored.File1, &state_.Stored.File2}) {
        const auto altered = platform::CharacterTheInterpreterAlters(NameForProgram(*file));
        if (!altered) {
            continue;
        }
        const std::string question =
            "The diff program " + state_.Stored.WinDiffPath +
            " is a batch file. The command interpreter that runs it would alter the character " +
            "\"" + *altered + "\" in " + *file + ", and the wrong file could be compared." +
            "\rClick Ok to compare short temporary copies instead, Click Cancel to End the " +
            "Comparison";
        if (Ask(MessageKind::Warning, question, {MessageButton::Ok, MessageButton::Cancel},
                MessageButton::Cancel) != MessageButton::Ok) {
            return false;
        }
        return CopyToTemporaryNames() && CheckReady();
    }
    return true;
}

bool TTwinvane::CopyToTemporaryNames() {
    // Nothing at the temporary names is looked at before their folder is
    // known to be the user's alone.
    platform::PrepareTemporaryCopyFolder();
    const auto temporary = TemporaryNames();
    // A folder would take the copy inside it, and its own path would then
    // stand for the user's file.
    for (const auto& name : temporary) {
        if (HasAttributes(name, platform::kAttributeDirectory)) {
            throw Exception("Twinvane cannot put a temporary copy at " + name +
                            ", because a folder has that name. Move or rename the folder, "
                            "then compare again");
        }
    }
    const std::array<std::string*, 2> files{&state_.Stored.File1, &state_.Stored.File2};
    const std::array<std::string*, 2> userFiles{&state_.UserFile1, &state_.UserFile2};
    const std::array<std::string, 2> userBefore{state_.UserFile1, state_.UserFile2};
    const auto placed = PlaceFiles({state_.Stored.File1, state_.Stored.File2}, temporary);
    std::vector<CopyJob::Copy> copies;
    for (std::size_t i = 0; i < 2; ++i) {
        if (placed[i].copy) {
            *userFiles[i] = *files[i];
            copies.push_back({*files[i], temporary[placed[i].slot]});
        }
    }
    // Whatever stands at the temporary names is now compared or replaced.
    for (const auto& name : temporary) {
        pendingDeletion_.Keep(name);
    }
    if (!copies.empty()) {
        CopyJob job(std::move(copies));
        copying_ = &job;
        try {
            view_.WaitForCopies(job);
        } catch (...) {
            copying_ = nullptr;
            throw;
        }
        copying_ = nullptr;
        const bool made = job.Wait();
        if (!made || ending_) {
            job.RemoveCopies();
            state_.UserFile1 = userBefore[0];
            state_.UserFile2 = userBefore[1];
            return false;
        }
    }
    for (std::size_t i = 0; i < 2; ++i) {
        *files[i] = temporary[placed[i].slot];
    }
    state_.Substituted = true;
    return true;
}

void TTwinvane::OfferCleanUp(std::unique_ptr<platform::RunningProgram> program) {
    const std::string question = "Ok to Delete Temporary Files," + state_.Stored.File1 + " , " +
                                 state_.Stored.File2 + " Original names will be restored";
    if (Ask(MessageKind::Warning, question, {MessageButton::Ok, MessageButton::Cancel},
            MessageButton::Cancel) != MessageButton::Ok) {
        return;
    }
    std::vector<std::string> doomed;
    for (const std::string* file : {&state_.Stored.File1, &state_.Stored.File2}) {
        if (platform::LowerAscii(FolderPart(*file)) == "c:\\temp\\") {
            doomed.push_back(*file);
        }
    }
    // A temporary name the user picked as a file of their own is theirs.
    const auto own1 = platform::IdentityOf(state_.UserFile1);
    const auto own2 = platform::IdentityOf(state_.UserFile2);
    for (const std::string& temporary : TemporaryNames()) {
        const auto identity = platform::IdentityOf(temporary);
        if (platform::FileExists(temporary) && identity != own1 && identity != own2) {
            doomed.push_back(temporary);
        }
    }
    // The diff program may not have read the files yet: they go once it ends.
    pendingDeletion_.Add(doomed, std::move(program));
    pendingDeletion_.Poll();
    state_.Stored.File1 = state_.UserFile1;
    state_.Stored.File2 = state_.UserFile2;
    view_.SetStatusText(kPanelFile1, state_.Stored.File1);
    view_.SetStatusText(kPanelFile2, state_.Stored.File2);
    state_.Substituted = false;
}

} // namespace twinvane
