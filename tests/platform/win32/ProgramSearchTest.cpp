// SPDX-License-Identifier: MIT
// Installed diff programs are found in the registry, in the program folders
// and on PATH, per user before per machine, on fake installations the test
// makes and removes.
#include "platform/ProgramSearch.h"
#include "support/EnvGuard.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace twinvane::platform {
namespace {

using testing::EnvGuard;
using testing::TempFolder;

constexpr const char* kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

// A registry key holding one text value, deleted again with the guard.
class PlantedKey {
public:
    PlantedKey(HKEY root, std::string path, REGSAM view, const std::string& name,
               const std::string& text)
        : root_(root), path_(std::move(path)), view_(view) {
        HKEY key = nullptr;
        EXPECT_EQ(::RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_,
                                    nullptr, &key, nullptr),
                  ERROR_SUCCESS)
            << path_;
        EXPECT_EQ(::RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1)),
                  ERROR_SUCCESS);
        ::RegCloseKey(key);
    }
    PlantedKey(const PlantedKey&) = delete;
    PlantedKey& operator=(const PlantedKey&) = delete;
    ~PlantedKey() { ::RegDeleteKeyExA(root_, path_.c_str(), view_, 0); }

private:
    HKEY root_;
    std::string path_;
    REGSAM view_;
};

class ProgramSearchTest : public ::testing::Test {
protected:
    // A program file at `path` below `folder`, its folders made too.
    static std::string Install(const TempFolder& folder, const std::string& path) {
        const std::filesystem::path file = folder.Path() / path;
        std::filesystem::create_directories(file.parent_path());
        testing::WriteFile(file.string(), "MZ");
        return file.string();
    }

    TempFolder programFiles;
    TempFolder programFiles32;
    TempFolder localAppData;
    TempFolder elsewhere;
    EnvGuard pf{"ProgramFiles", programFiles.Path().string()};
    EnvGuard pf64{"ProgramW6432", programFiles.Path().string()};
    EnvGuard pf32{"ProgramFiles(x86)", programFiles32.Path().string()};
    EnvGuard local{"LOCALAPPDATA", localAppData.Path().string()};
    EnvGuard path{"PATH", elsewhere.Path().string() + "\\none"};
};

const ProgramLocations kWinMerge{.windowsFile = "WinMergeU.exe",
                                 .appPaths = true,
                                 .registry = {{"Software\\TwinvaneTestMerge", "Executable", ""}},
                                 .programFolders = {"WinMerge\\WinMergeU.exe"}};

TEST_F(ProgramSearchTest, NothingInstalledIsNothingFound) {
    EXPECT_EQ(FindInstalledProgram(kWinMerge), "");
}

TEST_F(ProgramSearchTest, ProgramFoldersAreSearchedTheUsersOwnFirst) {
    const std::string machine32 = Install(programFiles32, "WinMerge\\WinMergeU.exe");
    EXPECT_EQ(FindInstalledProgram(kWinMerge), machine32);
    const std::string machine = Install(programFiles, "WinMerge\\WinMergeU.exe");
    EXPECT_EQ(FindInstalledProgram(kWinMerge), machine);
    const std::string own = Install(localAppData, "Programs\\WinMerge\\WinMergeU.exe");
    EXPECT_EQ(FindInstalledProgram(kWinMerge), own);
}

TEST_F(ProgramSearchTest, TheRegistryComesFirstTheUserBeforeTheMachineInBothViews) {
    Install(programFiles, "WinMerge\\WinMergeU.exe");
    const std::string machine32 = Install(elsewhere, "machine32\\WinMergeU.exe");
    const std::string machine = Install(elsewhere, "machine\\WinMergeU.exe");
    const std::string user = Install(elsewhere, "user\\WinMergeU.exe");
    const std::string appPath = std::string(kAppPaths) + "WinMergeU.exe";

    const PlantedKey first(HKEY_LOCAL_MACHINE, "Software\\TwinvaneTestMerge", KEY_WOW64_32KEY,
                           "Executable", "\"" + machine32 + "\"");
    EXPECT_EQ(FindInstalledProgram(kWinMerge), machine32);
    const PlantedKey second(HKEY_LOCAL_MACHINE, appPath, KEY_WOW64_64KEY, "", machine);
    EXPECT_EQ(FindInstalledProgram(kWinMerge), machine);
    const PlantedKey third(HKEY_CURRENT_USER, appPath, KEY_WOW64_64KEY, "", user);
    EXPECT_EQ(FindInstalledProgram(kWinMerge), user);
}

TEST_F(ProgramSearchTest, AFolderValueLeadsToTheProgramInsideIt) {
    const ProgramLocations tortoise{
        .windowsFile = "TortoiseGitMerge.exe",
        .registry = {{"Software\\TwinvaneTestTortoise", "Directory", "bin\\TortoiseGitMerge.exe"}}};
    const std::string program = Install(elsewhere, "Tortoise Git\\bin\\TortoiseGitMerge.exe");
    const PlantedKey key(HKEY_LOCAL_MACHINE, "Software\\TwinvaneTestTortoise", KEY_WOW64_64KEY,
                         "Directory", (elsewhere.Path() / "Tortoise Git").string() + "\\");
    EXPECT_EQ(FindInstalledProgram(tortoise), program);
}

TEST_F(ProgramSearchTest, ARegisteredPathThatIsNoProgramIsPassedOver) {
    const std::string installed = Install(programFiles, "WinMerge\\WinMergeU.exe");
    std::filesystem::create_directories(elsewhere.Path() / "folder.exe");
    const std::string batch = Install(elsewhere, "WinMergeU.cmd");
    for (const std::string& registered :
         {(elsewhere.Path() / "missing.exe").string(), (elsewhere.Path() / "folder.exe").string(),
          batch, std::string("WinMergeU.exe")}) {
        const PlantedKey key(HKEY_CURRENT_USER, std::string(kAppPaths) + "WinMergeU.exe",
                             KEY_WOW64_64KEY, "", registered);
        EXPECT_EQ(FindInstalledProgram(kWinMerge), installed) << registered;
    }
}

TEST_F(ProgramSearchTest, OnlyAbsoluteFoldersOfPathAreSearched) {
    const ProgramLocations windiff{.windowsFile = "windiff.exe", .windowsPath = true};
    const TempFolder current;
    Install(current, "windiff.exe");
    const std::string onPath = Install(elsewhere, "tools\\windiff.exe");
    const testing::CurrentFolderGuard inside(current.Path());
    const EnvGuard relative{"PATH", ".;;\"" + (elsewhere.Path() / "tools").string() + "\""};
    EXPECT_EQ(FindInstalledProgram(windiff), onPath);
    const EnvGuard none{"PATH", "."};
    EXPECT_EQ(FindInstalledProgram(windiff), "");
}

} // namespace
} // namespace twinvane::platform
