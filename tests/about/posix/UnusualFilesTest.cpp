// SPDX-License-Identifier: MIT
// Files that the Linux reader must survive: whatever a file holds, the reader
// neither crashes, nor reads out of bounds (the sanitizer build checks), nor
// hangs; a damaged file gives short lists.
#include "about/TGetVersionInfoFromFile.h"
#include "support/TempFolder.h"
#include "support/VersionFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace twinvane {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

std::vector<std::byte> GoodFile() {
    return testing::PeFile({{testing::VersionBlock(
        {testing::StringTable("040904B0", testing::EightStrings())}, {0x0409, 0x04B0})}});
}

std::vector<std::string> Entries(const TStringList& list) {
    return {list.begin(), list.end()};
}

TEST(UnusualFilesTest, AFileCutShortAnywhereGivesAllOrNothing) {
    testing::TempFolder temp;
    const auto file = GoodFile();
    const std::string path = temp / "cut.exe";
    TGetVersionInfoFromFile reader;
    for (std::size_t size = 0; size <= file.size(); ++size) {
        testing::WriteBytes(path, {file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size)});
        reader.SetfileName(path);
        const auto strings = Entries(reader.VersionStrings());
        ASSERT_EQ(reader.VersionCategories().Count(), reader.VersionStrings().Count());
        if (!strings.empty()) {
            ASSERT_THAT(strings, ElementsAreArray(testing::EightValues())) << size;
        }
    }
}

TEST(UnusualFilesTest, SpecialFilesAreNotReadAndDoNotHang) {
    testing::TempFolder temp;
    const std::string fifo = temp / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    TGetVersionInfoFromFile reader;
    for (const std::string& name : {fifo, std::string("/dev/null"), std::string("/dev/zero")}) {
        reader.SetfileName(name);
        EXPECT_EQ(reader.fileName(), name);
        EXPECT_THAT(Entries(reader.VersionStrings()), IsEmpty());
    }
}

TEST(UnusualFilesTest, NamesOfAnyLengthAreUsedWhole) {
    testing::TempFolder temp;
    std::filesystem::path folder = temp.Path();
    for (char c = 'a'; c < 'f'; ++c) {
        folder /= std::string(200, c);
    }
    std::filesystem::create_directories(folder);
    const std::string path = (folder / std::string(200, 'n')).string();
    ASSERT_GT(path.size(), 1200u);
    testing::WriteBytes(path, GoodFile());
    TGetVersionInfoFromFile reader;
    reader.SetfileName(path);
    EXPECT_EQ(reader.fileName(), path);
    EXPECT_THAT(Entries(reader.VersionStrings()), ElementsAreArray(testing::EightValues()));
}

TEST(UnusualFilesTest, AValueReachingPastTheBlockIsCutAtItsEnd) {
    testing::TempFolder temp;
    auto strings = testing::EightStrings();
    strings.resize(1);
    strings[0].valueLength = 0xFFFF;
    const auto block =
        testing::VersionBlock({testing::StringTable("040904B0", strings)}, {0x0409, 0x04B0});
    testing::WriteBytes(temp / "long.exe", testing::PeFile({{block}}));
    TGetVersionInfoFromFile reader;
    reader.SetfileName(temp / "long.exe");
    ASSERT_EQ(reader.VersionStrings().Count(), 1);
    EXPECT_EQ(reader.VersionStrings()[0], "Company");
}

} // namespace
} // namespace twinvane
