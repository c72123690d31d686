// SPDX-License-Identifier: MIT
// The Compare command: the path-length guard, the temporary copies, the
// start of the diff program and the clean-up afterwards.
#include "TTwinvane.h"

#include "fileutil/fileops.h"
#include "fileutil/stringutils.h"
#include "platform/DesktopPlaces.h"
#include "platform/FileSystem.h"
#include "platform/PathSyntax.h"

#include <algorithm>

namespace twinvane {
namespace {

// The diff program cannot take two paths that together reach this length.
constexpr std::size_t kPathLengthLimit = 64;

std::string TemporaryName(int which) {
    return platform::TemporaryCopyFolder() + "TWVTemp" + std::to_string(which);
}

std::string LowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

std::string LengthQuestion(const std::string& advice) {
    return "When added together the total length of the file paths exceeds 64 characters,\r" +
           advice +
           "\r Click Ok to Fix the problem, Click Abort to End the Comparison,\r"
           "Click Cancel to Open windiff on Compare and select the files from the WinDiff "
           "interface";
}

// True when `file` already is the temporary copy at `temporary`: a
// substitution still in force, whose names on Linux may reach the limit too.
bool IsTemporaryCopy(const std::string& file, const std::string& temporary) {
    return platform::FullPathName(file) == temporary;
}

void CopyToTemporaryName(const std::string& source, const std::string& temporary) {
    platform::ClearTemporaryName(temporary);
    CopyFileTo(source, temporary);
}

} // namespace

void TTwinvane::Compare1Click() {
    view_.SetStatusText(0, state_.File1);
    view_.SetStatusText(1, state_.File2);
    if (!CheckPathLength() || !CheckReady()) {
        return;
    }
    try {
        const std::string params =
            platform::QuotePath(state_.File1) + " " + platform::QuotePath(state_.File2);
        StartWithShell(state_.WinDiffPath, params, platform::DiffProgramWorkingFolder(),
                       platform::kShow, view_.NativeHandle(), shell_);
        if (state_.DeleteTemps && state_.Substituted) {
            OfferCleanUp();
        }
    } catch (...) {
        view_.ShowPlainMessage("File Selection error");
    }
}

bool TTwinvane::CheckPathLength() {
    const std::size_t length = state_.File1.size() + state_.File2.size();
    if (length < kPathLengthLimit) {
        return true;
    }
    const std::size_t namesLength =
        FileNamePart(state_.File1).size() + FileNamePart(state_.File2).size();
    const std::string advice = namesLength >= kPathLengthLimit
                                   ? "Twinvane cannot fix this problem automaticly."
                                   : "Twinvane can fix this problem by copying both files to " +
                                         platform::TemporaryCopyPlaceDescription() + ".";
    view_.SetStatusText(2, "NAMES TOO LONG " + std::to_string(length));

    const MessageButton answer =
        view_.ShowMessage(MessageKind::Error, LengthQuestion(advice),
                          {MessageButton::Ok, MessageButton::Cancel, MessageButton::Abort});
    if (answer == MessageButton::Abort) {
        return false;
    }
    if (answer == MessageButton::Ok) {
        CopyToTemporaryNames();
    }
    return true;
}

void TTwinvane::CopyToTemporaryNames() {
    const std::string temporary1 = TemporaryName(1);
    const std::string temporary2 = TemporaryName(2);
    // Copying a temporary copy onto itself would delete it, and taking its
    // name as the user's would lose the user's own file for good.
    const bool copy1 = !IsTemporaryCopy(state_.File1, temporary1);
    const bool copy2 = !IsTemporaryCopy(state_.File2, temporary2);
    if (copy1) {
        state_.UserFile1 = state_.File1;
    }
    if (copy2) {
        state_.UserFile2 = state_.File2;
    }
    platform::PrepareTemporaryCopyFolder();
    if (copy1) {
        CopyToTemporaryName(state_.File1, temporary1);
    }
    if (copy2) {
        CopyToTemporaryName(state_.File2, temporary2);
    }
    state_.File1 = temporary1;
    state_.File2 = temporary2;
    state_.Substituted = true;
}

void TTwinvane::OfferCleanUp() {
    const std::string question = "Ok to Delete Temporary Files," + state_.File1 + " , " +
                                 state_.File2 + " Original names will be restored";
    if (view_.ShowMessage(MessageKind::Warning, question,
                          {MessageButton::Ok, MessageButton::Cancel}) != MessageButton::Ok) {
        return;
    }
    for (const std::string* file : {&state_.File1, &state_.File2}) {
        if (LowerAscii(FolderPart(*file)) == "c:\\temp\\") {
            platform::RemoveFile(*file);
        }
    }
    for (const std::string& temporary : {TemporaryName(1), TemporaryName(2)}) {
        if (platform::FileExists(temporary)) {
            platform::RemoveFile(temporary);
        }
    }
    state_.File1 = state_.UserFile1;
    state_.File2 = state_.UserFile2;
    view_.SetStatusText(0, state_.File1);
    view_.SetStatusText(1, state_.File2);
    state_.Substituted = false;
}

} // namespace twinvane
