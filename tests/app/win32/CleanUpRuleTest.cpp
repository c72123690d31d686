// SPDX-License-Identifier: MIT
// The clean-up also deletes a file named in its question whose folder is
// C:\Temp\ in any letter case, and only such a file.
#include "app/CompareFixture.h"

#include <filesystem>

namespace twinvane {
namespace {

class CleanUpRuleTest : public testing::CompareFixture {
protected:
    CleanUpRuleTest() { std::filesystem::create_directories("C:\\Temp\\sub"); }
    ~CleanUpRuleTest() override {
        std::error_code ignored;
        std::filesystem::remove("C:\\Temp\\twinvane-a.txt", ignored);
        std::filesystem::remove("C:\\Temp\\sub\\twinvane-b.txt", ignored);
    }

    // A substitution whose clean-up was declined, so that the next Compare
    // offers the clean-up for whatever names are then selected.
    void DeclineACleanUp() {
        const std::string file1 = MakeFile(std::string(40, 'f') + "\\one.txt", "first");
        const std::string file2 = MakeFile(std::string(40, 'g') + "\\two.txt", "second");
        Activate(file1, file2);
        view.messageAnswers = {MessageButton::Ok, MessageButton::Cancel};
        window.Compare1Click();
        ASSERT_TRUE(window.State().Substituted);
    }
};

TEST_F(CleanUpRuleTest, FilesInCTempAreDeletedButNotInItsSubfolders) {
    DeclineACleanUp();
    testing::WriteFile("C:\\Temp\\twinvane-a.txt", "a");
    testing::WriteFile("C:\\Temp\\sub\\twinvane-b.txt", "b");
    view.dialogAnswers = {std::string("c:\\TEMP\\twinvane-a.txt"),
                          std::string("C:\\Temp\\sub\\twinvane-b.txt")};
    window.SelectFiles1Click();

    view.messageAnswers = {MessageButton::Ok};
    window.Compare1Click();
    EXPECT_EQ(view.messagesShown.back().text,
              "Ok to Delete Temporary Files,c:\\TEMP\\twinvane-a.txt , "
              "C:\\Temp\\sub\\twinvane-b.txt Original names will be restored");
    EXPECT_FALSE(std::filesystem::exists("C:\\Temp\\twinvane-a.txt"));
    EXPECT_TRUE(std::filesystem::exists("C:\\Temp\\sub\\twinvane-b.txt"));
    EXPECT_FALSE(window.State().Substituted);
}

// Every local user may create files in the root of C:, so a record planted
// there, where it once lived, is never read: even a line naming a file the
// clean-up could delete leaves that file alone.
TEST_F(CleanUpRuleTest, ARecordPlantedInTheRootOfCIsNeverRead) {
    const std::string thesis = MakeFile("thesis.txt", "mine");
    testing::WriteFile("C:\\Temp\\twinvane-a.txt", "a");
    std::string planted;
    for (const std::string& path : {thesis, std::string("C:\\Temp\\twinvane-a.txt")}) {
        const auto identity = platform::IdentityOf(path).value();
        planted += "1 1 " + std::to_string(identity.volume) + ' ' + std::to_string(identity.index) +
                   ' ' + path + '\n';
    }
    testing::WriteFile("C:\\TWVTemp.del", planted);
    window.FormActivate();
    std::filesystem::remove("C:\\TWVTemp.del");
    EXPECT_EQ(testing::ReadFile(thesis), "mine");
    EXPECT_TRUE(std::filesystem::exists("C:\\Temp\\twinvane-a.txt"));
    EXPECT_TRUE(view.errorBoxes.empty());
}

TEST_F(CleanUpRuleTest, TemporaryNamesAreFixedInTheRootOfC) {
    EXPECT_EQ(Temporary(1), "C:\\TWVTemp1");
    DeclineACleanUp();
    EXPECT_EQ(shell.requests.back().parameters, "\"C:\\TWVTemp1\" \"C:\\TWVTemp2\"");
    EXPECT_EQ(shell.requests.back().directory, "c:\\");
}

} // namespace
} // namespace twinvane
