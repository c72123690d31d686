// SPDX-License-Identifier: MIT
// Locate Windiff offers the known diff programs found in the absolute
// folders of PATH, in the table's order, before the file dialog.
#include "app/CompareFixture.h"

#include <sys/stat.h>

#include <filesystem>

namespace twinvane {
namespace {

using Kind = LocateChoice::Kind;

class LocateChoiceTest : public testing::CompareFixture {
protected:
    LocateChoiceTest() {
        Program(early / "meld", 0755);
        Program(early / "code", 0644); // not executable: passed over
        Program(late / "code", 0755);
        Program(late / "bcompare", 0755);
        Program(late / "windiff", 0755);                             // not looked for on Linux
        std::filesystem::create_directory(early.Path() / "kompare"); // a folder, not a program
        Program(temp / "kdiff3", 0755); // reached only through the relative entry
        Activate("", "");
    }

    static void Program(const std::string& path, mode_t mode) {
        testing::WriteFile(path, "#!/bin/sh\n");
        ::chmod(path.c_str(), mode);
    }

    testing::TempFolder early;
    testing::TempFolder late;
    testing::CurrentFolderGuard inside{temp.Path()};
    testing::EnvGuard path{"PATH", "." + std::string(":") + early.Path().string() + ":" +
                                       late.Path().string()};
};

TEST_F(LocateChoiceTest, OffersTheProgramsFoundInTheTablesOrder) {
    view.locateAnswers = {{Kind::Cancel, 0}};
    window.LocateWindiffClick();
    ASSERT_EQ(view.locateOffers.size(), 1U);
    const auto& offers = view.locateOffers[0];
    ASSERT_EQ(offers.size(), 3U);
    EXPECT_EQ(offers[0].name, "Beyond Compare");
    EXPECT_EQ(offers[0].path, late / "bcompare");
    EXPECT_EQ(offers[1].name, "Meld");
    EXPECT_EQ(offers[1].path, early / "meld");
    EXPECT_EQ(offers[2].name, "Visual Studio Code");
    EXPECT_EQ(offers[2].path, late / "code");
    // Cancel ends the command: no file dialog, nothing stored.
    EXPECT_TRUE(view.dialogsShown.empty());
    EXPECT_EQ(storage.saves, 0);
}

TEST_F(LocateChoiceTest, AProgramChosenIsStoredWithItsArgumentsAndWithoutShortCopies) {
    view.locateAnswers = {{Kind::Program, 2}};
    window.LocateWindiffClick();
    EXPECT_TRUE(view.dialogsShown.empty());
    EXPECT_EQ(storage.saves, 1);
    EXPECT_EQ(storage.stored.WinDiffPath, late / "code");
    EXPECT_EQ(storage.stored.WinDiffArgs, "--wait --diff \"%1\" \"%2\"");
    EXPECT_FALSE(storage.stored.ShortNames);
    EXPECT_FALSE(view.shortNamesChecked);
    EXPECT_EQ(view.panels[2], "NOT READY"); // the program is found, the files are not
}

TEST_F(LocateChoiceTest, BrowseOpensTheFileDialogWhoseChoiceGetsTheDesignsArguments) {
    storage.stored.WinDiffArgs = "--wait --diff \"%1\" \"%2\"";
    storage.stored.ShortNames = false;
    window.LoadSettings();
    view.locateAnswers = {{Kind::Browse, 0}};
    view.dialogAnswers = {temp / "windiff.exe"};
    window.LocateWindiffClick();
    ASSERT_EQ(view.dialogsShown.size(), 1U);
    EXPECT_EQ(view.dialogsShown[0].second.title, "Locate Windiff");
    EXPECT_EQ(storage.stored.WinDiffPath, temp / "windiff.exe");
    EXPECT_EQ(storage.stored.WinDiffArgs, "\"%1\" \"%2\"");
    EXPECT_TRUE(storage.stored.ShortNames);

    // Browsing and cancelling the file dialog changes nothing.
    view.locateAnswers = {{Kind::Browse, 0}};
    view.dialogAnswers = {std::nullopt};
    window.LocateWindiffClick();
    EXPECT_EQ(storage.saves, 1);
}

TEST_F(LocateChoiceTest, WithNothingFoundTheFileDialogOpensAtOnce) {
    const testing::EnvGuard empty{"PATH", late.Path().string() + "/none"};
    view.dialogAnswers = {std::nullopt};
    window.LocateWindiffClick();
    EXPECT_TRUE(view.locateOffers.empty());
    EXPECT_EQ(view.dialogsShown.size(), 1U);
}

} // namespace
} // namespace twinvane
