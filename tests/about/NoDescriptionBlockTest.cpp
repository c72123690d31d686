// SPDX-License-Identifier: MIT
// This test executable carries a version block without "FileDescription"
// (NoDescriptionVersion.rc): its values stop after "CompanyName", so every
// position the About box asks for is missing.
#include "FakeAboutForm.h"
#include "about/TVarnookAboutBox.h"
#include "platform/AppPaths.h"

#include <gtest/gtest.h>

namespace twinvane {
namespace {

TEST(NoDescriptionBlockTest, TheBlockReallyStopsAfterTheCompanyName) {
    TGetVersionInfoFromFile reader;
    reader.SetfileName(platform::RunningExecutablePath());
    ASSERT_EQ(reader.VersionStrings().Count(), 1);
    EXPECT_EQ(reader.VersionStrings()[0], "Varnook");
}

TEST(NoDescriptionBlockTest, NameVersionAndVersionLineFallBackToVersion) {
    testing::FakeAboutFormFactory forms;
    TVarnookAboutBox box(forms);
    EXPECT_EQ(box.GetAppName(), "");
    EXPECT_EQ(box.GetAppVersion(), "");

    box.SetVersion("2.0 beta");
    EXPECT_EQ(box.GetAppName(), "2.0 beta");
    EXPECT_EQ(box.GetAppVersion(), "2.0 beta");

    box.SetFilename(platform::RunningExecutablePath());
    box.Execute();
    EXPECT_EQ(forms.Last().Text(AboutLabel::WVersion), "2.0 beta");
    for (const testing::FormRecord& form : forms.records) {
        EXPECT_TRUE(form.released);
    }
}

} // namespace
} // namespace twinvane
