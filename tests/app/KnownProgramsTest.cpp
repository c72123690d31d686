// SPDX-License-Identifier: MIT
#include "app/KnownPrograms.h"
#include "app/DiffArguments.h"
#include "fileutil/stringutils.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace twinvane {
namespace {

using Arguments = std::vector<std::string>;

// A space, quotes and non-ASCII letters in the first name; the second ends
// in a backslash, which must not escape the quote that closes it.
const std::string kFile1 = "/tmp/a b/say \"hi\" \xC3\xBCn\xC3\xAF.txt";
const std::string kFile2 = "C:\\dir with space\\ends in \\";
const std::string kQuoted1 = "\"/tmp/a b/say \\\"hi\\\" \xC3\xBCn\xC3\xAF.txt\"";
const std::string kQuoted2 = "\"C:\\dir with space\\ends in \\\\\"";

struct Expected {
    std::string commandLine;
    Arguments arguments;
    bool shortPaths;
};

TEST(KnownProgramsTest, EachTemplateGivesItsCommandLineAndArgumentList) {
    const Expected twoNames{kQuoted1 + " " + kQuoted2, {kFile1, kFile2}, false};
    const Expected tortoise{
        "/base:" + kQuoted1 + " /mine:" + kQuoted2, {"/base:" + kFile1, "/mine:" + kFile2}, false};
    const std::map<std::string, Expected> expected{
        {"WinDiff", {twoNames.commandLine, twoNames.arguments, true}},
        {"WinMerge", twoNames},
        {"Beyond Compare", twoNames},
        {"KDiff3", twoNames},
        {"Meld", twoNames},
        {"Visual Studio Code",
         {"--wait --diff " + kQuoted1 + " " + kQuoted2,
          {"--wait", "--diff", kFile1, kFile2},
          false}},
        {"TortoiseMerge", tortoise},
        {"TortoiseGitMerge", tortoise},
        {"P4Merge", twoNames},
        {"Kompare", twoNames},
        {"Diffuse", twoNames},
        {"tkdiff", twoNames},
    };
    ASSERT_EQ(KnownPrograms().size(), expected.size());
    for (const KnownProgram& program : KnownPrograms()) {
        const auto want = expected.find(program.name);
        ASSERT_NE(want, expected.end()) << program.name;
        EXPECT_EQ(DiffCommandLine(program.arguments, kFile1, kFile2), want->second.commandLine)
            << program.name;
        EXPECT_EQ(DiffArgumentVector(program.arguments, kFile1, kFile2), want->second.arguments)
            << program.name;
        EXPECT_EQ(program.shortPaths, want->second.shortPaths) << program.name;
        EXPECT_TRUE(IsArgumentTemplate(program.arguments)) << program.name;
        EXPECT_FALSE(program.places.windowsFile.empty() && program.places.linuxCommand.empty())
            << program.name;
    }
}

TEST(KnownProgramsTest, TemplatesPutEachNameInOnce) {
    const struct {
        const char* argumentTemplate;
        std::string file1, file2;
        std::string commandLine;
        Arguments arguments;
    } cases[] = {
        // Names the template leaves unquoted get quotes of their own.
        {"%1 %2", "a b", "c", "\"a b\" \"c\"", {"a b", "c"}},
        // A name that holds "%2" is not read as the template.
        {"\"%1\" \"%2\"", "100%2.txt", "x", "\"100%2.txt\" \"x\"", {"100%2.txt", "x"}},
        // A backslash that no quote follows stays single.
        {"\"%1.bak\" \"%2\"", "dir\\", "x", "\"dir\\.bak\" \"x\"", {"dir\\.bak", "x"}},
        // The template's own words and quotes pass as they are.
        {"-o \"out file\" -L\"%1\" %2",
         "p",
         "q",
         "-o \"out file\" -L\"p\" \"q\"",
         {"-o", "out file", "-Lp", "q"}},
        {"\"%2\" \"%1\"", "one", "two", "\"two\" \"one\"", {"two", "one"}},
        {"\"%1\" \"%2\"", "", "two", "\"\" \"two\"", {"", "two"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DiffCommandLine(c.argumentTemplate, c.file1, c.file2), c.commandLine)
            << c.argumentTemplate;
        EXPECT_EQ(DiffArgumentVector(c.argumentTemplate, c.file1, c.file2), c.arguments)
            << c.argumentTemplate;
    }
}

TEST(KnownProgramsTest, ATemplateMustNameBothFiles) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {{"\"%1\" \"%2\"", true},
                 {"%2 %1", true},
                 {"--diff %1", false},
                 {"%2", false},
                 {"", false},
                 {"% 1 % 2", false},
                 {"/base:%1 /mine:%2", true}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsArgumentTemplate(c.text), c.valid) << c.text;
    }
}

TEST(KnownProgramsTest, AProgramIsKnownByItsFileName) {
    const struct {
        const char* fileName;
        const char* program; // nullptr: not known
    } cases[] = {
        {"WINMERGEU.EXE", "WinMerge"},
        {"WinDiff.Exe", "WinDiff"},
        {"meld", "Meld"},
        {"code", "Visual Studio Code"},
        {"TortoiseGitMerge.exe", "TortoiseGitMerge"},
        {"Code.cmd", nullptr},
        {"kdiff3.exe.bak", nullptr},
        {"mymeld", nullptr},
        {"Meld", nullptr},
    };
    for (const auto& c : cases) {
        const KnownProgram* known = KnownProgramAt(AddTrailingBackslash("programs") + c.fileName);
        if (c.program == nullptr) {
            EXPECT_EQ(known, nullptr) << c.fileName;
        } else {
            ASSERT_NE(known, nullptr) << c.fileName;
            EXPECT_EQ(known->name, c.program) << c.fileName;
        }
    }
    EXPECT_EQ(KnownProgramAt(AddTrailingBackslash("meld")), nullptr);
}

} // namespace
} // namespace twinvane
