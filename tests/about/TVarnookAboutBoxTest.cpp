// SPDX-License-Identifier: MIT
// The About box's behaviour on a fake form with exact numbers. The test
// executable carries the program's own version block, so the running
// executable reads "Twinvane" and the program's version.
#include "about/TVarnookAboutBox.h"
#include "FakeAboutForm.h"
#include "about/AboutBoxDesign.h"
#include "about/MakerLines.h"
#include "about/ProgramInfo.h"
#include "platform/AppPaths.h"
#include "support/TempFolder.h"
#include "support/VersionFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace twinvane {
namespace {

using ::testing::ElementsAre;
using testing::FakeAboutFormFactory;
using testing::FormRecord;
using testing::Picture;
using testing::Text;

constexpr AboutLabel kLabels[] = {AboutLabel::WTitle, AboutLabel::WCopyright, AboutLabel::WAuthor,
                                  AboutLabel::WVersion};

class TVarnookAboutBoxTest : public ::testing::Test {
protected:
    // The About box as the main window holds it once it has become active.
    TVarnookAboutBox& MainWindowBox() {
        ApplyMainWindowAboutDesign(box_);
        box_.SetFilename(platform::RunningExecutablePath());
        return box_;
    }

    // A PE file whose block has the values `strings` (key, value).
    std::string ExecutableWith(const std::vector<testing::VersionNode>& strings) {
        const std::string path = temp_ / ("file" + std::to_string(++files_) + ".exe");
        testing::WriteBytes(path,
                            testing::PeFile({{testing::VersionBlock(
                                {testing::StringTable("080904E4", strings)}, {0x0809, 0x04E4})}}));
        return path;
    }

    FakeAboutFormFactory forms_;
    TVarnookAboutBox box_{forms_};
    testing::TempFolder temp_;
    int files_ = 0;
};

TEST_F(TVarnookAboutBoxTest, LeftAndTopStartAtHalfTheScreenTruncated) {
    forms_.screen = {1365, 767};
    const TVarnookAboutBox box(forms_);
    EXPECT_EQ(box.Left(), 682);
    EXPECT_EQ(box.Top(), 383);
    EXPECT_TRUE(forms_.records.empty()) << "construction builds no form";
}

TEST_F(TVarnookAboutBoxTest, TheMakersCopyrightIsTheOneInTheProgramsVersionBlock) {
    TGetVersionInfoFromFile reader;
    reader.SetfileName(platform::RunningExecutablePath());
    ASSERT_GE(reader.VersionStrings().Count(), 5);
    ASSERT_EQ(reader.VersionCategories()[4], "LegalCopyright");
    EXPECT_EQ(reader.VersionStrings()[4], box_.Copyright());
}

TEST_F(TVarnookAboutBoxTest, MainWindowSettingsWithTheApplicationIcon) {
    TVarnookAboutBox& box = MainWindowBox();
    EXPECT_EQ(box.Left(), 456);
    EXPECT_EQ(box.Top(), 144);
    EXPECT_TRUE(box.Execute());

    const FormRecord& form = forms_.Last();
    EXPECT_EQ(form.caption, "Twinvane");
    EXPECT_EQ(form.Text(AboutLabel::WTitle), "Twinvane");
    EXPECT_EQ(form.Text(AboutLabel::WCopyright), kMakerCopyright);
    EXPECT_EQ(form.Text(AboutLabel::WAuthor), kMakerAuthor);
    EXPECT_EQ(form.Text(AboutLabel::WVersion), std::string("Version ") + kProgramVersion);
    EXPECT_EQ(form.picture, Picture::ApplicationIcon);
    EXPECT_EQ(form.outerWidth, 160);
    EXPECT_EQ(form.outerHeight, 182);
    EXPECT_EQ(form.logoLeft, 64);
    EXPECT_EQ(form.okTop, 122);
    EXPECT_EQ(form.okWidth, 100);
    EXPECT_EQ(form.okLeft, 30);
    for (const AboutLabel label : kLabels) {
        const int width = testing::TextWidth(form.Text(label));
        EXPECT_EQ(form.Left(label), 80 - width / 2) << form.Text(label);
    }
    // Step 11 sets the height first; the form is shown last and released.
    EXPECT_THAT(form.calls,
                ElementsAre("SetOuterHeight", "SetOuterWidth", "ShowModal", "released"));

    EXPECT_EQ(box.Height(), 182);
    EXPECT_EQ(box.Width(), 160);
    EXPECT_EQ(box.Title(), "Twinvane") << "an empty Title keeps the application's title";
    EXPECT_EQ(box.Author(), kMakerAuthor);
}

TEST_F(TVarnookAboutBoxTest, GivenTitleAndAuthorAreKeptAndAnEmptyCaptionIsShownEmpty) {
    box_.SetTitle("Comparer");
    box_.SetAuthor("A. N. Author");
    forms_.title = "Other";
    box_.Execute();
    const FormRecord& form = forms_.Last();
    EXPECT_EQ(form.caption, "");
    EXPECT_EQ(form.Text(AboutLabel::WTitle), "Comparer");
    EXPECT_EQ(form.Text(AboutLabel::WAuthor), "A. N. Author");
    EXPECT_EQ(box_.Title(), "Comparer");
    EXPECT_EQ(box_.Author(), "A. N. Author");
}

TEST_F(TVarnookAboutBoxTest, TheBuiltInBitmapMakesTheFormTallerAndTheHeightStays) {
    TVarnookAboutBox& box = MainWindowBox();
    box.SetDefaultIcon(true);
    box.Execute();
    const FormRecord& first = forms_.Last();
    EXPECT_EQ(first.picture, Picture::BuiltIn);
    EXPECT_EQ(first.outerWidth, 160);
    EXPECT_EQ(first.outerHeight, 270);
    EXPECT_EQ(first.logoLeft, 7);
    EXPECT_EQ(first.okTop, 210);
    EXPECT_EQ(box.Height(), 270);

    // The smaller icon afterwards: the raised height is the new request.
    box.SetDefaultIcon(false);
    box.Execute();
    const FormRecord& second = forms_.Last();
    EXPECT_EQ(second.picture, Picture::ApplicationIcon);
    EXPECT_EQ(second.outerHeight, 270);
    EXPECT_EQ(second.okTop, 122);
    EXPECT_EQ(box.Height(), 270);
    EXPECT_EQ(forms_.records.size(), 2u);
    EXPECT_TRUE(first.released);
}

TEST_F(TVarnookAboutBoxTest, WidthFollowsThePictureAndNeverFallsBelow120) {
    struct Case {
        int width;
        std::pair<int, int> bitmap; // {0, 0}: the application's icon
        int expectedWidth;
        int expectedHeight;
        int expectedLogoLeft;
    };
    const Case cases[] = {
        {.width = 160,
         .bitmap = {200, 60},
         .expectedWidth = 208,
         .expectedHeight = 250,
         .expectedLogoLeft = 4},
        {.width = 200,
         .bitmap = {200, 60},
         .expectedWidth = 208,
         .expectedHeight = 250,
         .expectedLogoLeft = 4}, // a picture as wide as the form
        {.width = 201,
         .bitmap = {200, 60},
         .expectedWidth = 201,
         .expectedHeight = 250,
         .expectedLogoLeft = 0},
        {.width = 100,
         .bitmap = {0, 0},
         .expectedWidth = 120,
         .expectedHeight = 250,
         .expectedLogoLeft = 44},
        {.width = 100,
         .bitmap = {111, 101},
         .expectedWidth = 120,
         .expectedHeight = 251,
         .expectedLogoLeft = 5}, // 111 + 8 is still too narrow
    };
    for (const Case& c : cases) {
        FakeAboutFormFactory forms;
        TVarnookAboutBox box(forms);
        box.SetWidth(c.width);
        if (c.bitmap.first != 0) {
            forms.bitmaps["picture.bmp"] = c.bitmap;
            box.SetIconFile("picture.bmp");
        }
        box.Execute();
        const FormRecord& form = forms.Last();
        SCOPED_TRACE("Width " + std::to_string(c.width) + ", picture " +
                     std::to_string(c.bitmap.first));
        EXPECT_EQ(form.picture, c.bitmap.first != 0 ? Picture::File : Picture::ApplicationIcon);
        EXPECT_EQ(box.Width(), c.expectedWidth);
        EXPECT_EQ(form.outerWidth, c.expectedWidth);
        EXPECT_EQ(box.Height(), c.expectedHeight);
        EXPECT_EQ(form.logoLeft, c.expectedLogoLeft);
        EXPECT_EQ(form.okWidth, c.expectedWidth - 60);
        EXPECT_EQ(form.okLeft, c.expectedWidth / 2 - (c.expectedWidth - 60) / 2);
    }
}

TEST_F(TVarnookAboutBoxTest, UncentredTextStartsAtTextLeft) {
    TVarnookAboutBox& box = MainWindowBox();
    box.SetTextCentered(false);
    box.Execute();
    for (const AboutLabel label : kLabels) {
        EXPECT_EQ(forms_.Last().Left(label), 20);
    }
    box.SetTextLeft(-3);
    box.Execute();
    for (const AboutLabel label : kLabels) {
        EXPECT_EQ(forms_.Last().Left(label), -3);
    }
}

TEST_F(TVarnookAboutBoxTest, TheResultIsTrueOnlyForTheOkButton) {
    forms_.answerOk = true;
    EXPECT_TRUE(box_.Execute());
    forms_.answerOk = false;
    EXPECT_FALSE(box_.Execute());
    EXPECT_TRUE(forms_.Last().released);
}

TEST_F(TVarnookAboutBoxTest, TheVersionLineFallsBackToVersionWhenTheBlockIsTooShort) {
    // Before Filename is set: no block at all, and Version is empty.
    box_.Execute();
    EXPECT_EQ(forms_.Last().Text(AboutLabel::WVersion), "");

    box_.SetVersion("release 7");
    box_.Execute();
    EXPECT_EQ(forms_.Last().Text(AboutLabel::WVersion), "release 7") << "shown bare";

    // A block without "FileDescription" stops at "CompanyName".
    box_.SetFilename(
        ExecutableWith({Text("CompanyName", u"Varnook"), Text("FileVersion", u"2.0.0.0"),
                        Text("InternalName", u"Other")}));
    box_.Execute();
    EXPECT_EQ(forms_.Last().Text(AboutLabel::WVersion), "release 7");

    // Three values are enough for the version line.
    box_.SetFilename(
        ExecutableWith({Text("CompanyName", u"Varnook"), Text("FileDescription", u"A program"),
                        Text("FileVersion", u"2.0.0.0")}));
    box_.Execute();
    EXPECT_EQ(forms_.Last().Text(AboutLabel::WVersion), "Version 2.0.0.0");

    box_.SetFilename(temp_ / "missing.exe");
    box_.Execute();
    EXPECT_EQ(forms_.Last().Text(AboutLabel::WVersion), "release 7");
}

TEST_F(TVarnookAboutBoxTest, AnIconFileThatCannotBeLoadedEndsExecuteBeforeTheFormShows) {
    TVarnookAboutBox& box = MainWindowBox();
    box.SetIconFile(temp_ / "missing.bmp");
    try {
        box.Execute();
        FAIL() << "Execute returned";
    } catch (const EPictureLoadError& error) {
        EXPECT_THAT(error.Message(), ::testing::HasSubstr("missing.bmp"));
    }
    const FormRecord& form = forms_.Last();
    EXPECT_TRUE(form.released);
    EXPECT_FALSE(form.Shown());
    EXPECT_EQ(box.Title(), "Twinvane");
    EXPECT_EQ(box.Author(), kMakerAuthor);
    EXPECT_EQ(box.Width(), 160) << "sizes change only after the picture is loaded";
    EXPECT_EQ(box.Height(), 140);
}

TEST_F(TVarnookAboutBoxTest, NameAndVersionOfTheRunningExecutableNotOfFilename) {
    box_.SetVersion("fallback");
    box_.SetFilename(ExecutableWith(testing::EightStrings()));
    EXPECT_EQ(box_.GetAppName(), "Twinvane");
    EXPECT_EQ(box_.GetAppVersion(), kProgramVersion);
    ASSERT_EQ(forms_.records.size(), 2u);
    for (const FormRecord& form : forms_.records) {
        EXPECT_TRUE(form.released);
        EXPECT_FALSE(form.Shown());
    }
}

TEST_F(TVarnookAboutBoxTest, AFormThatCannotBeCreatedIsReported) {
    forms_.failToCreate = true;
    EXPECT_THROW(box_.GetAppName(), Exception);
    EXPECT_THROW(box_.GetAppVersion(), Exception);
    EXPECT_THROW(box_.Execute(), Exception);
    EXPECT_EQ(box_.Title(), "") << "nothing changes before the form exists";
}

TEST_F(TVarnookAboutBoxTest, MainWindowDesignSetsItsStoredValuesOnly) {
    box_.SetTitle("kept");
    box_.SetFilename("kept.exe");
    box_.SetCopyright("changed");
    box_.SetDefaultIcon(true);
    ApplyMainWindowAboutDesign(box_);
    EXPECT_EQ(box_.Caption(), "Twinvane");
    EXPECT_EQ(box_.Width(), 160);
    EXPECT_EQ(box_.Height(), 140);
    EXPECT_FALSE(box_.DefaultIcon());
    EXPECT_TRUE(box_.TextCentered());
    EXPECT_EQ(box_.TextLeft(), 20);
    EXPECT_EQ(box_.Left(), 456);
    EXPECT_EQ(box_.Top(), 144);
    EXPECT_EQ(box_.Copyright(), kMakerCopyright);
    EXPECT_EQ(box_.Title(), "kept");
    EXPECT_EQ(box_.Filename(), "kept.exe");
}

} // namespace
} // namespace twinvane
