// SPDX-License-Identifier: MIT
#include "KnownPrograms.h"

#include "fileutil/stringutils.h"
#include "platform/AsciiText.h"

namespace twinvane {
namespace {

constexpr const char* kTwoNames = "\"%1\" \"%2\"";

std::vector<KnownProgram> Build() {
    return {
        {.name = "WinDiff",
         .places = {.windowsFile = "windiff.exe",
                    .windowsPath = true,
                    .programFolders = {"Microsoft SDKs\\Windows\\v7.1\\Bin\\x64\\WinDiff.Exe",
                                       "Microsoft SDKs\\Windows\\v7.1\\Bin\\WinDiff.Exe",
                                       "Microsoft SDKs\\Windows\\v7.0A\\Bin\\x64\\WinDiff.Exe",
                                       "Microsoft SDKs\\Windows\\v7.0A\\Bin\\WinDiff.Exe"}},
         .arguments = kTwoNames,
         .shortPaths = true},
        {.name = "WinMerge",
         .places = {.windowsFile = "WinMergeU.exe",
                    .appPaths = true,
                    .registry = {{"Software\\Thingamahoochie\\WinMerge", "Executable", ""}},
                    .programFolders = {"WinMerge\\WinMergeU.exe"}},
         .arguments = kTwoNames},
        {.name = "Beyond Compare",
         .places = {.windowsFile = "BCompare.exe",
                    .appPaths = true,
                    .registry = {{"Software\\Scooter Software\\Beyond Compare", "ExePath", ""},
                                 {"Software\\Scooter Software\\Beyond Compare 5", "ExePath", ""},
                                 {"Software\\Scooter Software\\Beyond Compare 4", "ExePath", ""}},
                    .linuxCommand = "bcompare"},
         .arguments = kTwoNames},
        {.name = "KDiff3",
         .places = {.windowsFile = "kdiff3.exe",
                    .appPaths = true,
                    .programFolders = {"KDiff3\\kdiff3.exe", "KDiff3\\bin\\kdiff3.exe"},
                    .linuxCommand = "kdiff3"},
         .arguments = kTwoNames},
        {.name = "Meld",
         .places = {.windowsFile = "Meld.exe",
                    .appPaths = true,
                    .programFolders = {"Meld\\Meld.exe"},
                    .linuxCommand = "meld"},
         .arguments = kTwoNames},
        // Without --wait the command hands the files to a window already
        // open and ends at once, while the copies may still be needed.
        // Code.cmd is never taken: a batch file would alter some names.
        {.name = "Visual Studio Code",
         .places = {.windowsFile = "Code.exe",
                    .programFolders = {"Microsoft VS Code\\Code.exe"},
                    .linuxCommand = "code"},
         .arguments = "--wait --diff \"%1\" \"%2\""},
        {.name = "TortoiseMerge",
         .places = {.windowsFile = "TortoiseMerge.exe",
                    .registry = {{"Software\\TortoiseSVN", "Directory", "bin\\TortoiseMerge.exe"}},
                    .programFolders = {"TortoiseSVN\\bin\\TortoiseMerge.exe"}},
         .arguments = "/base:\"%1\" /mine:\"%2\""},
        {.name = "TortoiseGitMerge",
         .places = {.windowsFile = "TortoiseGitMerge.exe",
                    .registry = {{"Software\\TortoiseGit", "Directory",
                                  "bin\\TortoiseGitMerge.exe"}},
                    .programFolders = {"TortoiseGit\\bin\\TortoiseGitMerge.exe"}},
         .arguments = "/base:\"%1\" /mine:\"%2\""},
        {.name = "P4Merge",
         .places = {.windowsFile = "p4merge.exe",
                    .appPaths = true,
                    .programFolders = {"Perforce\\p4merge.exe"},
                    .linuxCommand = "p4merge"},
         .arguments = kTwoNames},
        {.name = "Kompare", .places = {.linuxCommand = "kompare"}, .arguments = kTwoNames},
        {.name = "Diffuse", .places = {.linuxCommand = "diffuse"}, .arguments = kTwoNames},
        {.name = "tkdiff", .places = {.linuxCommand = "tkdiff"}, .arguments = kTwoNames},
    };
}

} // namespace

const std::vector<KnownProgram>& KnownPrograms() {
    static const std::vector<KnownProgram> programs = Build();
    return programs;
}

const KnownProgram* KnownProgramAt(const std::string& path) {
    const std::string name = FileNamePart(path);
    if (name.empty()) {
        return nullptr;
    }
    for (const KnownProgram& program : KnownPrograms()) {
        const platform::ProgramLocations& places = program.places;
        if ((!places.windowsFile.empty() &&
             platform::LowerAscii(name) == platform::LowerAscii(places.windowsFile)) ||
            name == places.linuxCommand) {
            return &program;
        }
    }
    return nullptr;
}

std::vector<FoundProgram> FindKnownPrograms() {
    std::vector<FoundProgram> found;
    for (const KnownProgram& program : KnownPrograms()) {
        if (std::string path = platform::FindInstalledProgram(program.places); !path.empty()) {
            found.push_back({&program, std::move(path)});
        }
    }
    return found;
}

} // namespace twinvane
