// SPDX-License-Identifier: MIT
// A waiting file is deleted only when its name still holds that very file
// and no program has it open, and never through a link.
#include "platform/FileSystem.h"
#include "platform/win32/UniqueHandle.h"
#include "support/TempFolder.h"
#include "support/win32/FileLink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace twinvane::platform {
namespace {

using testing::TempFolder;
using testing::WriteFile;

// The identity of a file made for the purpose and deleted again.
FileIdentity IdentityOfAnotherFile(const TempFolder& temp) {
    const std::string other = temp / "other.txt";
    WriteFile(other, "other");
    const auto identity = IdentityOf(other);
    EXPECT_TRUE(identity);
    return identity.value_or(FileIdentity{});
}

// A copy at `path`, and its identity.
std::optional<FileIdentity> WriteCopy(const std::string& path) {
    WriteFile(path, "copy");
    return IdentityOf(path);
}

TEST(RemoveUnusedFileTest, DeletesTheFileItWasGiven) {
    TempFolder temp;
    const std::string copy = temp / "TWVTemp1";
    const auto identity = WriteCopy(copy);
    ASSERT_TRUE(identity);
    EXPECT_TRUE(RemoveUnusedFile(copy, *identity));
    EXPECT_FALSE(std::filesystem::exists(copy));
}

// What stands at the name is not the file given, so there is nothing to
// delete and nothing is: the result is true and the entry stays.
TEST(RemoveUnusedFileTest, KeepsWhatIsNotTheFileItWasGiven) {
    enum class Standing { AnotherFile, Folder, Nothing };
    for (const Standing standing : {Standing::AnotherFile, Standing::Folder, Standing::Nothing}) {
        SCOPED_TRACE(static_cast<int>(standing));
        TempFolder temp;
        const std::string name = temp / "TWVTemp2";
        const FileIdentity wanted = IdentityOfAnotherFile(temp);
        if (standing == Standing::AnotherFile) {
            WriteFile(name, "the user's own");
        } else if (standing == Standing::Folder) {
            std::filesystem::create_directory(name);
        }
        EXPECT_TRUE(RemoveUnusedFile(name, wanted));
        EXPECT_EQ(std::filesystem::exists(name), standing != Standing::Nothing);
        EXPECT_TRUE(std::filesystem::exists(temp / "other.txt"));
    }
}

TEST(RemoveUnusedFileTest, KeepsAFileAnotherHandleHasOpenUntilItIsClosed) {
    TempFolder temp;
    const std::string copy = temp / "TWVTemp1";
    const auto identity = WriteCopy(copy);
    ASSERT_TRUE(identity);
    // A reader that shares everything, deletion included, still holds it.
    win32::UniqueHandle reader(::CreateFileA(copy.c_str(), GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_FALSE(RemoveUnusedFile(copy, *identity));
    EXPECT_TRUE(std::filesystem::exists(copy));
    reader.Reset();
    EXPECT_TRUE(RemoveUnusedFile(copy, *identity));
    EXPECT_FALSE(std::filesystem::exists(copy));
}

TEST(RemoveUnusedFileTest, KeepsAReadOnlyFile) {
    TempFolder temp;
    const std::string copy = temp / "TWVTemp1";
    const auto identity = WriteCopy(copy);
    ASSERT_TRUE(identity);
    ASSERT_TRUE(::SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(RemoveUnusedFile(copy, *identity));
    EXPECT_TRUE(std::filesystem::exists(copy));
    ::SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL); // for the folder's removal
}

TEST(RemoveUnusedFileTest, NeverDeletesThroughALink) {
    TempFolder temp;
    const std::string target = temp / "target.txt";
    const std::string link = temp / "TWVTemp1";
    WriteFile(target, "the user's own");
    const auto identity = IdentityOf(target);
    ASSERT_TRUE(identity);
    if (!testing::MakeFileLink(link, target)) {
        GTEST_SKIP() << "this system makes no symbolic links here (Wine 8 only pretends to)";
    }
    EXPECT_TRUE(RemoveUnusedFile(link, *identity));
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
}

} // namespace
} // namespace twinvane::platform
