// SPDX-License-Identifier: MIT
#pragma once

#include "FakeMainView.h"
#include "app/TTwinvane.h"
#include "platform/DesktopPlaces.h"
#include "platform/FileSystem.h"
#include "support/EnvGuard.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace twinvane::testing {

// A main window whose temporary copies go to a private folder of the test
// (on Linux; Windows keeps them in the root of C:) and whose files are real.
class CompareFixture : public ::testing::Test {
protected:
    CompareFixture() { testing::WriteFile(temp / "windiff.exe", "program"); }
    ~CompareFixture() override {
        platform::RemoveFile(Temporary(1));
        platform::RemoveFile(Temporary(2));
        platform::RemoveFile(platform::TemporaryCopyFolder() + "TWVTemp.del");
    }

    static std::string Temporary(int which) {
        return platform::TemporaryCopyFolder() + "TWVTemp" + std::to_string(which);
    }

    // Creates `name` (a path relative to the test folder) holding `content`.
    std::string MakeFile(const std::string& name, const std::string& content) {
        const std::string path = temp / name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        testing::WriteFile(path, content);
        return path;
    }

    // Activates the window with these files and the stand-in diff program.
    void Activate(const std::string& file1, const std::string& file2, bool deleteTemps = true) {
        storage.stored.File1 = file1;
        storage.stored.File2 = file2;
        storage.stored.WinDiffPath = temp / "windiff.exe";
        storage.stored.DeleteTemps = deleteTemps;
        window.FormActivate();
    }

    TempFolder temp;
    TempFolder runtime;
    EnvGuard runtimeFolder{"XDG_RUNTIME_DIR", runtime.Path().string()};
    FakeMainView view;
    FakeSettingsStorage storage;
    RecordingLauncher shell;
    TTwinvane window{view, storage, shell};
};

// The same, with a second window on the real shell and the recording
// program standing in for the diff program.
class RealShellCompareFixture : public CompareFixture {
protected:
    const std::string recorder = TWINVANE_RECORDER_PATH;
    TTwinvane realWindow{view, storage, platform::SystemShell()};
    std::string recordFile = temp / "record.txt";
    EnvGuard recordTarget{"TWINVANE_RECORD_FILE", recordFile};
};

} // namespace twinvane::testing
