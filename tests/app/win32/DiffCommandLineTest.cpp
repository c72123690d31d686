// SPDX-License-Identifier: MIT
// Windows itself splits each known program's command line back into the
// argument list that the Linux start hands over as it is.
#include "app/DiffArguments.h"
#include "app/KnownPrograms.h"

#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace twinvane {
namespace {

// The program's texts are UTF-8, its manifest's code page.
std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<std::size_t>(
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                              static_cast<int>(wide.size()))));
    return wide;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow(3 * text.size() + 1, '\0');
    narrow.resize(static_cast<std::size_t>(
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                              static_cast<int>(narrow.size()), nullptr, nullptr)));
    return narrow;
}

std::vector<std::string> SplitByWindows(const std::string& commandLine) {
    int count = 0;
    // A program name first: Windows reads the first word by rules of its own.
    const std::wstring line = L"program.exe " + Wide(commandLine);
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> words(
        ::CommandLineToArgvW(line.c_str(), &count), &::LocalFree);
    std::vector<std::string> arguments;
    for (int i = 1; words && i < count; ++i) {
        arguments.push_back(Narrow(words.get()[i]));
    }
    return arguments;
}

TEST(DiffCommandLineTest, CommandLineToArgvWGivesBackEachProgramsArgumentList) {
    const struct {
        std::string file1, file2;
    } names[] = {
        {"C:\\Users\\J\xC3\xBCrgen\\My Files\\a b.txt", "D:\\x.txt"},
        {"C:\\100%2 \"quoted\".txt", "C:\\ends in\\"},
        {"\\\\server\\share\\\xE6\x97\xA5\xE6\x9C\xAC.txt", ""},
    };
    for (const KnownProgram& program : KnownPrograms()) {
        for (const auto& n : names) {
            const std::string line = DiffCommandLine(program.arguments, n.file1, n.file2);
            EXPECT_EQ(SplitByWindows(line), DiffArgumentVector(program.arguments, n.file1, n.file2))
                << program.name << ": " << line;
        }
    }
}

} // namespace
} // namespace twinvane
