// SPDX-License-Identifier: MIT
#include "platform/posix/ElfVersionSection.h"
#include "about/ProgramInfo.h"
#include "platform/AppPaths.h"
#include "platform/posix/UniqueFd.h"
#include "platform/posix/VersionBlockQuery.h"
#include "support/TempFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <vector>

namespace twinvane::platform::posix {
namespace {

UniqueFd Open(const std::string& path) {
    return UniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
}

TEST(FindElfVersionSectionTest, FindsTheBlockEmbeddedInThisProgram) {
    const UniqueFd self = Open(RunningExecutablePath());
    ASSERT_TRUE(self.IsOpen());
    const auto found = FindElfVersionSection(self.Get());
    ASSERT_TRUE(found);
    std::vector<std::byte> block(found->size);
    ASSERT_EQ(::pread(self.Get(), block.data(), block.size(), static_cast<off_t>(found->offset)),
              static_cast<ssize_t>(block.size()));
    EXPECT_EQ(QueryVersionBlock(block, "\\StringFileInfo\\080904E4\\FileVersion"),
              std::string(kProgramVersion) + '\0');
}

TEST(FindElfVersionSectionTest, OtherFilesHaveNone) {
    testing::TempFolder temp;
    testing::WriteFile(temp / "text", "\177ELF but nothing more");
    for (const std::string& path : {std::string(TWINVANE_RECORDER_PATH), temp / "text"}) {
        const UniqueFd file = Open(path);
        ASSERT_TRUE(file.IsOpen()) << path;
        EXPECT_FALSE(FindElfVersionSection(file.Get())) << path;
    }
}

} // namespace
} // namespace twinvane::platform::posix
