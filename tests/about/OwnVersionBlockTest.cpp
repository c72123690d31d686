// SPDX-License-Identifier: MIT
// The test executable carries the program's own version block, as every
// Twinvane executable does; the About box reads positions 2 and 3 of it.
#include "about/ProgramInfo.h"
#include "about/TGetVersionInfoFromFile.h"
#include "platform/AppPaths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace twinvane {
namespace {

using ::testing::ElementsAre;

TEST(OwnVersionBlockTest, TheRunningProgramReadsItsOwnVersion) {
    TGetVersionInfoFromFile reader;
    reader.SetfileName(platform::RunningExecutablePath());
    ASSERT_GE(reader.VersionStrings().Count(), 4);
    EXPECT_EQ(reader.VersionStrings()[2], kProgramVersion);
    EXPECT_EQ(reader.VersionStrings()[3], "Twinvane");
    EXPECT_EQ(reader.VersionCategories()[2], "FileVersion");
    EXPECT_EQ(reader.VersionCategories()[3], "InternalName");
}

TEST(OwnVersionBlockTest, EveryKeyHasItsValueAndTheEmptyNameIsKept) {
    TGetVersionInfoFromFile reader;
    reader.SetfileName(platform::RunningExecutablePath());
    const TStringList& strings = reader.VersionStrings();
    EXPECT_THAT(std::vector<std::string>(reader.VersionCategories().begin(),
                                         reader.VersionCategories().end()),
                ElementsAre("CompanyName", "FileDescription", "FileVersion", "InternalName",
                            "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"));
    ASSERT_EQ(strings.Count(), 8);
    for (const int nonEmpty : {0, 1, 4}) {
        EXPECT_FALSE(strings[nonEmpty].empty()) << "position " << nonEmpty;
    }
    EXPECT_EQ(strings[5], "");
    EXPECT_EQ(strings[6], "Twinvane");
    EXPECT_EQ(strings[7], "1.0.0.0");
}

} // namespace
} // namespace twinvane
