// SPDX-License-Identifier: MIT
#include "widgets/KURL2.h"
#include "FakeKURL2View.h"
#include "support/RecordingLauncher.h"
#include "widgets/MakerLinks.h"

#include <gtest/gtest.h>

#include <string>

namespace twinvane {
namespace {

using testing::RecordingLauncher;

using testing::FakeView;

int WidthOf(const std::string& text) {
    return static_cast<int>(text.size()) * FakeView::kPixelsPerByte;
}

class KURL2Test : public ::testing::Test {
protected:
    FakeView view;
    RecordingLauncher shell;
    TKURL2 link{view, shell};
};

TEST_F(KURL2Test, NewControlHasItsDesignDefaultsOnScreen) {
    EXPECT_EQ(link.Height(), 13);
    EXPECT_EQ(link.Cursor(), crHandPoint);
    EXPECT_EQ(link.Hint(), "Put here the Hint for your site link!");
    EXPECT_EQ(link.URLorEMAIL(), kKURL2PlaceholderAddress);
    EXPECT_EQ(link.Choose(), ltURL);
    EXPECT_TRUE(link.ShowHint());
    EXPECT_EQ(link.Width(), WidthOf(kKURL2PlaceholderAddress));

    EXPECT_EQ(view.color, 0xFF0000U) << "pure blue, red 0 green 0 blue 255";
    EXPECT_TRUE(view.underlined);
    EXPECT_TRUE(view.showHint);
    EXPECT_EQ(view.cursor, crHandPoint);
    EXPECT_EQ(view.hint, link.Hint());
    EXPECT_EQ(view.width, link.Width());
    EXPECT_EQ(view.height, 13);
    EXPECT_TRUE(shell.requests.empty()) << "constructing opens nothing";
}

TEST_F(KURL2Test, WritingTheAddressFitsTheWidthToTheTextAndKeepsTheHeight) {
    link.SetHeight(40);
    const std::string address = "support@varnook.example.com, \xC3\xA9 and a stray \xFF byte ";
    link.SetURLorEMAIL(address);
    EXPECT_EQ(link.URLorEMAIL(), address) << "read back byte for byte, blanks included";
    EXPECT_EQ(view.text, address) << "the label shows it";
    EXPECT_EQ(link.Width(), WidthOf(address));
    EXPECT_EQ(view.width, WidthOf(address));
    EXPECT_EQ(link.Height(), 40);
    EXPECT_EQ(view.height, 40);

    link.SetURLorEMAIL("");
    EXPECT_EQ(link.Width(), 0);
}

TEST_F(KURL2Test, RestoredControlEndsAsWideAsItsTextWhateverWidthWasStored) {
    link.Restore({.left = 32,
                  .top = 32,
                  .width = 500,
                  .urlOrEmail = kMakerSupportAddress,
                  .showHint = false,
                  .choose = ltEMAIL});
    EXPECT_EQ(link.Width(), WidthOf(kMakerSupportAddress));
    EXPECT_EQ(view.width, WidthOf(kMakerSupportAddress));
    EXPECT_EQ(view.left, 32);
    EXPECT_EQ(view.top, 32);
    EXPECT_EQ(link.Height(), 13);
    EXPECT_EQ(link.Hint(), "Put here the Hint for your site link!");
    EXPECT_EQ(link.Cursor(), crHandPoint);
    EXPECT_FALSE(link.ShowHint());
    EXPECT_EQ(link.Choose(), ltEMAIL);
}

TEST_F(KURL2Test, ShowHintLivesInTheInnerLabel) {
    link.SetShowHint(false);
    EXPECT_FALSE(link.ShowHint());
    EXPECT_FALSE(view.showHint);
    view.showHint = true; // the label changed on its own
    EXPECT_TRUE(link.ShowHint());
}

struct TargetCase {
    const char* name;
    LinkType choose;
    std::string text;
    std::string target;

    friend void PrintTo(const TargetCase& c, std::ostream* out) { *out << c.name; }
};

class OpenLinkTest : public KURL2Test, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(OpenLinkTest, HandsTheShellExactlyTheTargetToOpenMaximized) {
    const TargetCase& c = GetParam();
    link.SetURLorEMAIL(c.text);
    link.SetChoose(c.choose);
    link.OpenLink();

    ASSERT_EQ(shell.requests.size(), 1U);
    const platform::ShellRequest& request = shell.requests.front();
    EXPECT_EQ(request.file, c.target);
    EXPECT_EQ(request.verb, std::optional<std::string>("open"));
    EXPECT_FALSE(request.parameters.has_value());
    EXPECT_FALSE(request.directory.has_value());
    EXPECT_EQ(request.showCommand, 3);
    EXPECT_EQ(request.owner, FakeView::kHandle);
    EXPECT_EQ(link.URLorEMAIL(), c.text) << "the label keeps showing the bare text";
}

INSTANTIATE_TEST_SUITE_P(
    Targets, OpenLinkTest,
    ::testing::Values(
        TargetCase{"Web", ltURL, kMakerWebAddress, kMakerWebAddress},
        TargetCase{"EMail", ltEMAIL, kMakerSupportAddress,
                   std::string("mailto:") + kMakerSupportAddress},
        TargetCase{"MailtoTwice", ltEMAIL, "mailto:a@example.com", "mailto:mailto:a@example.com"},
        TargetCase{"NoScheme", ltURL, "www.varnook.example.com", "www.varnook.example.com"},
        TargetCase{"NotTrimmedNorEscaped", ltURL, " a b?c=<d>&e ", " a b?c=<d>&e "},
        TargetCase{"EmptyMail", ltEMAIL, "", "mailto:"}),
    [](const ::testing::TestParamInfo<TargetCase>& info) { return info.param.name; });

TEST_F(KURL2Test, OpenLinkChangesNothingIgnoresFailureAndCanBeRepeated) {
    link.SetURLorEMAIL(kMakerWebAddress);
    const int width = link.Width();
    shell.result = platform::kShellNoAssociation;
    EXPECT_NO_THROW(link.OpenLink());
    EXPECT_NO_THROW(link.OpenLink());
    ASSERT_EQ(shell.requests.size(), 2U);
    EXPECT_EQ(shell.requests[1].file, kMakerWebAddress);
    EXPECT_EQ(link.URLorEMAIL(), kMakerWebAddress);
    EXPECT_EQ(link.Width(), width);
    EXPECT_EQ(link.Choose(), ltURL);
}

} // namespace
} // namespace twinvane
