// SPDX-License-Identifier: MIT
#include "fileutil/FileErrors.h"
#include "fileutil/fileops.h"
#include "fileutil/stringutils.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace twinvane {
namespace {

using testing::Pattern;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

class CopyFileToTest : public ::testing::Test {
protected:
    TempFolder temp;
};

TEST_F(CopyFileToTest, CopiesContentsAcrossChunkBoundaries) {
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, CopyChunkSize - 1, CopyChunkSize,
                                   CopyChunkSize + 1, 5 * CopyChunkSize + 17}) {
        SCOPED_TRACE(size);
        const std::string content = Pattern(size);
        WriteFile(temp / "source.bin", content);
        CopyFileTo(temp / "source.bin", temp / "copy.bin");
        EXPECT_EQ(ReadFile(temp / "copy.bin"), content);
        EXPECT_EQ(ReadFile(temp / "source.bin"), content);
    }
}

// The observer hears of each chunk as it is written, and can stop the copy
// at any chunk; a stopped copy leaves nothing at the destination.
TEST_F(CopyFileToTest, ObserverHearsEveryChunkAndStoppingRemovesTheCopy) {
    const std::uint64_t chunk = CopyChunkSize;
    const struct {
        std::size_t stopAt; // 0: never
        bool whole;
        std::vector<std::uint64_t> heard;
    } rows[] = {
        {0, true, {chunk, 2 * chunk, 2 * chunk + 5}},
        {1, false, {chunk}},
        {3, false, {chunk, 2 * chunk, 2 * chunk + 5}}, // the last chunk too
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stopAt);
        WriteFile(temp / "source.bin", Pattern(2 * CopyChunkSize + 5));
        WriteFile(temp / "copy.bin", "earlier");
        std::vector<std::uint64_t> heard;
        const bool whole =
            CopyFileTo(temp / "source.bin", temp / "copy.bin", [&](std::uint64_t copied) {
                heard.push_back(copied);
                return heard.size() != row.stopAt;
            });
        EXPECT_EQ(whole, row.whole);
        EXPECT_EQ(heard, row.heard);
        EXPECT_EQ(std::filesystem::exists(temp.Path() / "copy.bin"), row.whole);
        EXPECT_EQ(ReadFile(temp / "source.bin"), Pattern(2 * CopyChunkSize + 5));
    }
}

TEST_F(CopyFileToTest, ReplacesALongerExistingFileCompletely) {
    WriteFile(temp / "source.txt", "short");
    WriteFile(temp / "copy.txt", Pattern(3 * CopyChunkSize));
    CopyFileTo(temp / "source.txt", temp / "copy.txt");
    EXPECT_EQ(ReadFile(temp / "copy.txt"), "short");
}

TEST_F(CopyFileToTest, CopiesIntoAFolderWithOrWithoutItsSeparator) {
    WriteFile(temp / "a.txt", "alpha");
    std::filesystem::create_directory(temp.Path() / "out");
    const std::string folder = temp / "out";

    CopyFileTo(temp / "a.txt", folder);
    EXPECT_EQ(ReadFile(temp / "out/a.txt"), "alpha");

    WriteFile(temp / "a.txt", "beta");
    CopyFileTo(temp / "a.txt", AddTrailingBackslash(folder));
    EXPECT_EQ(ReadFile(temp / "out/a.txt"), "beta");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.Path() / "out"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(CopyFileToTest, MissingSourceRaisesOpenErrorNamingItAsPassedAndCreatesNothing) {
    const std::string missing = temp / "missing.txt";
    try {
        CopyFileTo(missing, temp / "copy.txt");
        FAIL() << "no error raised";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(), "Cannot open file " + missing);
    }
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "copy.txt"));
}

TEST_F(CopyFileToTest, FolderAsSourceRaisesOpenError) {
    std::filesystem::create_directory(temp.Path() / "folder");
    EXPECT_THROW(CopyFileTo(temp / "folder", temp / "copy.txt"), EFOpenError);
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "copy.txt"));
}

TEST_F(CopyFileToTest, CopyOntoItselfRaisesCreateErrorAndKeepsTheFile) {
    const std::string content = Pattern(2 * CopyChunkSize + 5);
    WriteFile(temp / "same.bin", content);
    try {
        CopyFileTo(temp / "same.bin", temp / "same.bin");
        FAIL() << "no error raised";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(error.Message(), "Cannot create file " + (temp / "same.bin"));
    }
    EXPECT_EQ(ReadFile(temp / "same.bin"), content);
}

TEST_F(CopyFileToTest, CopyIntoTheSourcesOwnFolderRaisesCreateErrorAndKeepsTheFile) {
    WriteFile(temp / "same.txt", "keep me");
    EXPECT_THROW(CopyFileTo(temp / "same.txt", temp.Path().string()), EFCreateError);
    EXPECT_EQ(ReadFile(temp / "same.txt"), "keep me");
}

TEST_F(CopyFileToTest, DestinationInAMissingFolderRaisesCreateErrorNamingTheFullPath) {
    WriteFile(temp / "a.txt", "alpha");
    const std::string target = temp / "no-such-folder/a.txt";
    try {
        CopyFileTo(temp / "a.txt", target);
        FAIL() << "no error raised";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(error.Message(), "Cannot create file " + target);
    }
}

TEST_F(CopyFileToTest, SpacesAndLongNamesArePreserved) {
    const std::string name(150, 'n');
    std::filesystem::create_directory(temp.Path() / "with space");
    WriteFile(temp / "with space/source file.txt", "spaced");
    CopyFileTo(temp / "with space/source file.txt", temp / ("with space/" + name));
    EXPECT_EQ(ReadFile(temp / ("with space/" + name)), "spaced");
}

} // namespace
} // namespace twinvane
