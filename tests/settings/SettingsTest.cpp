// SPDX-License-Identifier: MIT
#include "settings/Settings.h"

#include "settings/RegistrySandbox.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <string>

namespace twinvane {
namespace {

using platform::kRegBinary;
using platform::kRegDword;
using platform::kRegSz;
using testing::RegistrySandbox;

std::string Text(const std::string& text) {
    return text + '\0';
}

bool operator==(const StoredSettings& a, const StoredSettings& b) {
    return a.InstallFolder == b.InstallFolder && a.File1 == b.File1 && a.File2 == b.File2 &&
           a.WinDiffPath == b.WinDiffPath && a.ActionSetting == b.ActionSetting &&
           a.DeleteTemps == b.DeleteTemps && a.WinDiffArgs == b.WinDiffArgs &&
           a.ShortNames == b.ShortNames;
}

// Values unlike every default, so that a value left unread shows.
StoredSettings Unusual() {
    return {"D:\\Tools",
            "D:\\one.txt",
            "D:\\two.txt",
            "D:\\WinDiff\\windiff.exe",
            9,
            false,
            "/base:\"%1\" /mine:\"%2\"",
            false};
}

class SettingsTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox{RegistrySandbox::Section::UserSettings};
};

TEST_F(SettingsTest, FirstRunGivesTheDefaultsAndCreatesNothing) {
    StoredSettings settings = Unusual();
    LoadSettings(settings);
    EXPECT_EQ(settings.InstallFolder, "C:\\Twinvane");
    EXPECT_EQ(settings.File1, "");
    EXPECT_EQ(settings.File2, "");
    EXPECT_EQ(settings.WinDiffPath, "C:\\Twinvane");
    EXPECT_EQ(settings.ActionSetting, 2);
    EXPECT_TRUE(settings.DeleteTemps);
    EXPECT_EQ(settings.WinDiffArgs, "\"%1\" \"%2\"");
    EXPECT_TRUE(settings.ShortNames);
    EXPECT_FALSE(sandbox.SectionExists());
}

TEST_F(SettingsTest, SavedSettingsLoadBackExactly) {
    const StoredSettings saved{"\xC3\x9C"
                               "bersicht \xE2\x80\x93 Caf\xC3\xA9",
                               "C:\\" + std::string(296, 'a'),
                               "C:\\TWVTemp2",
                               "C:\\Program Files\\WinDiff\\windiff.exe",
                               -3,
                               false,
                               "--wait --diff \"%1\" \"%2\" \xC3\xA9",
                               false};
    SaveSettings(saved);
    StoredSettings loaded;
    LoadSettings(loaded);
    EXPECT_TRUE(loaded == saved);
    EXPECT_EQ(loaded.File1.size(), 299u);
}

TEST_F(SettingsTest, SaveCreatesTheSectionWithEveryValueAsText) {
    ASSERT_FALSE(sandbox.SectionExists());
    SaveSettings(Unusual());
    ASSERT_TRUE(sandbox.SectionExists());
    const struct {
        const char* name;
        const char* text;
    } expected[] = {
        {"Install", "D:\\Tools"},
        {"File 1", "D:\\one.txt"},
        {"File 2", "D:\\two.txt"},
        {"WD Loc", "D:\\WinDiff\\windiff.exe"},
        {"Action", "9"},
        {"DelTemps", "0"},
        {"WD Args", "/base:\"%1\" /mine:\"%2\""},
        {"Short Names", "0"},
    };
    for (const auto& e : expected) {
        const auto value = sandbox.Peek(e.name);
        ASSERT_TRUE(value) << e.name;
        EXPECT_EQ(value->type, kRegSz) << e.name;
        EXPECT_EQ(value->data, Text(e.text)) << e.name;
    }
}

TEST_F(SettingsTest, UnreadableNumbersAndAbsentFlagsTakeTheirDefaults) {
    sandbox.Plant("Action", kRegSz, Text("abc"));
    StoredSettings settings = Unusual();
    LoadSettings(settings);
    EXPECT_EQ(settings.ActionSetting, 2);
    EXPECT_TRUE(settings.DeleteTemps);

    sandbox.Plant("DelTemps", kRegSz, Text("0"));
    LoadSettings(settings);
    EXPECT_FALSE(settings.DeleteTemps);
    sandbox.Plant("DelTemps", kRegSz, Text("7"));
    LoadSettings(settings);
    EXPECT_TRUE(settings.DeleteTemps);
}

TEST_F(SettingsTest, ShortNamesReadsAsAFlagThatIsOnWhenAbsent) {
    const struct {
        const char* stored; // nullptr: absent
        bool expected;
    } cases[] = {{nullptr, true}, {"0", false}, {"1", true}, {"7", true}, {"no", true}};
    for (const auto& c : cases) {
        if (c.stored != nullptr) {
            sandbox.Plant("Short Names", kRegSz, Text(c.stored));
        }
        StoredSettings settings = Unusual();
        LoadSettings(settings);
        EXPECT_EQ(settings.ShortNames, c.expected) << (c.stored ? c.stored : "absent");
    }
}

TEST_F(SettingsTest, AnUnreadableArgumentTemplateIsKeptBySaves) {
    sandbox.Plant("WD Args", kRegBinary, "\x01");
    StoredSettings settings = Unusual();
    SettingsFields read;
    EXPECT_THROW(LoadSettings(settings, read), SettingsError);
    EXPECT_FALSE(read[kWinDiffArgsField]);
    EXPECT_FALSE(read[kShortNamesField]);
    SaveSettings(settings, read);
    EXPECT_EQ(sandbox.Peek("WD Args")->type, kRegBinary);
}

TEST_F(SettingsTest, FailedLoadKeepsWhatWasReadBeforeAndLeavesTheRest) {
    sandbox.Plant("Install", kRegSz, Text("E:\\Install"));
    sandbox.Plant("File 1", kRegSz, Text("E:\\1"));
    sandbox.Plant("File 2", kRegSz, Text("E:\\2"));
    sandbox.Plant("WD Loc", kRegSz, Text("E:\\windiff.exe"));
    sandbox.Plant("Action", kRegBinary, "\x01");
    sandbox.Plant("DelTemps", kRegSz, Text("1"));

    StoredSettings settings = Unusual();
    try {
        LoadSettings(settings);
        FAIL() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Invalid data type for 'Action'");
    }
    EXPECT_EQ(settings.InstallFolder, "E:\\Install");
    EXPECT_EQ(settings.File1, "E:\\1");
    EXPECT_EQ(settings.File2, "E:\\2");
    EXPECT_EQ(settings.WinDiffPath, "E:\\windiff.exe");
    EXPECT_EQ(settings.ActionSetting, 9);
    EXPECT_FALSE(settings.DeleteTemps);
}

TEST_F(SettingsTest, AFailedLoadTellsWhatItReadAndASaveOfThatLeavesTheRest) {
    sandbox.Plant("Install", kRegSz, Text("E:\\Install"));
    sandbox.Plant("File 1", kRegDword, std::string(4, '\0'));
    sandbox.Plant("File 2", kRegSz, Text("E:\\2"));
    StoredSettings settings = Unusual();
    SettingsFields read;
    EXPECT_THROW(LoadSettings(settings, read), SettingsError);
    EXPECT_EQ(read, SettingsFields().set(kInstallField));

    settings.InstallFolder = "F:\\Install";
    SaveSettings(settings, read);
    EXPECT_EQ(sandbox.Peek("Install")->data, Text("F:\\Install"));
    EXPECT_EQ(sandbox.Peek("File 1")->type, kRegDword);
    EXPECT_EQ(sandbox.Peek("File 2")->data, Text("E:\\2"));
    EXPECT_FALSE(sandbox.Peek("WD Loc"));
}

TEST_F(SettingsTest, ALaterSaveReplacesEveryValue) {
    SaveSettings(Unusual());
    StoredSettings cleared = Unusual();
    cleared.File1.clear();
    cleared.File2.clear();
    cleared.DeleteTemps = true;
    SaveSettings(cleared);
    StoredSettings loaded;
    LoadSettings(loaded);
    EXPECT_TRUE(loaded == cleared);
}

} // namespace
} // namespace twinvane
