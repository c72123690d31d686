// SPDX-License-Identifier: MIT
#include "platform/posix/settings/RegistryFile.h"
#include "HeldLock.h"
#include "platform/Registry.h"
#include "platform/posix/settings/RegeditFormat.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "support/EnvGuard.h"
#include "support/TempFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace twinvane {
namespace {

using platform::RegistryError;
using platform::posix::FoldCase;
using platform::posix::ParseRegedit;
using testing::EnvGuard;
using testing::HeldLock;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

namespace fs = std::filesystem;

constexpr const char* kSection = "HKEY_CURRENT_USER\\Software\\Varnook\\Twinvane";

// Makes modes come from the code alone, not from the caller's umask.
class UmaskGuard {
public:
    explicit UmaskGuard(mode_t mask) : old_(::umask(mask)) {}
    UmaskGuard(const UmaskGuard&) = delete;
    UmaskGuard& operator=(const UmaskGuard&) = delete;
    ~UmaskGuard() { ::umask(old_); }

private:
    mode_t old_;
};

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

StoredSettings Sample() {
    return {"/opt/twinvane", "/home/u/one.txt", "/home/u/two.txt", "/usr/bin/meld", 3, false};
}

class RegistryFileTest : public ::testing::Test {
protected:
    TempFolder temp;
    EnvGuard config{"XDG_CONFIG_HOME", temp / "config"};
    const std::string folder = temp / "config/twinvane";
    const std::string file = temp / "config/twinvane/registry.reg";
};

TEST_F(RegistryFileTest, SaveWritesAPrivateFileInAPrivateFolder) {
    const UmaskGuard open(0);
    SaveSettings(Sample());
    EXPECT_EQ(ModeOf(temp / "config"), 0700);
    EXPECT_EQ(ModeOf(temp / "config/twinvane"), 0700);
    EXPECT_EQ(ModeOf(file), 0600);
    const auto document = ParseRegedit(ReadFile(file));
    ASSERT_NE(document.FindValue(kSection, "WD Loc"), nullptr);
    EXPECT_EQ(document.FindValue(kSection, "WD Loc")->data, std::string("/usr/bin/meld\0", 14));
}

TEST_F(RegistryFileTest, WithoutAnAbsoluteXdgConfigHomeTheFileIsInHomeConfig) {
    const EnvGuard home("HOME", temp / "home");
    const std::optional<std::string> settings[] = {std::nullopt, "relative/path"};
    for (const auto& xdg : settings) {
        const EnvGuard unset("XDG_CONFIG_HOME", xdg);
        SaveSettings(Sample());
        EXPECT_TRUE(fs::exists(temp.Path() / "home/.config/twinvane/registry.reg"));
        fs::remove_all(temp.Path() / "home");
    }
    EXPECT_FALSE(fs::exists(temp.Path() / "relative"));
}

TEST_F(RegistryFileTest, LoadingWritesNothingAtAll) {
    StoredSettings settings;
    LoadSettings(settings);
    EXPECT_FALSE(fs::exists(temp.Path() / "config"));
}

TEST_F(RegistryFileTest, HandWrittenExportLoadsAndKeepsOtherKeysThroughASave) {
    const std::string handWritten = "REGEDIT4\r\n"
                                    "\r\n"
                                    "; settings copied from the old machine\r\n"
                                    "[HKEY_CURRENT_USER\\Software\\Other Program]\r\n"
                                    "\"Window\"=hex:2c,00,00,00,\\\r\n"
                                    "  01,02\r\n"
                                    "\"Runs\"=dword:00000011\r\n"
                                    "\r\n"
                                    "[HKEY_CURRENT_USER\\SOFTWARE\\varnook\\twinvane]\r\n"
                                    "\"Install\"=\"D:\\\\Twinvane\"\r\n"
                                    "\"FILE 1\"=\"D:\\\\a.txt\"\r\n"
                                    "\"Action\"=\"$10\"\r\n"
                                    "\"Comment\"=\"kept\"\r\n"
                                    "\r\n"
                                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\r\n"
                                    "\"Path\"=hex(2):25,00\r\n";
    fs::create_directories(temp.Path() / "config/twinvane");
    WriteFile(file, handWritten);

    StoredSettings settings;
    LoadSettings(settings);
    EXPECT_EQ(settings.InstallFolder, "D:\\Twinvane");
    EXPECT_EQ(settings.File1, "D:\\a.txt");
    EXPECT_EQ(settings.File2, "");
    EXPECT_EQ(settings.ActionSetting, 16);
    EXPECT_EQ(ReadFile(file), handWritten);

    SaveSettings(Sample());
    const auto before = ParseRegedit(handWritten);
    const auto after = ParseRegedit(ReadFile(file));
    for (const auto& key : before.Keys()) {
        for (const auto& entry : key.values) {
            const auto* value = after.FindValue(key.path, entry.name);
            ASSERT_NE(value, nullptr) << key.path << " " << entry.name;
            if (FoldCase(key.path) != FoldCase(kSection) || entry.name == "Comment") {
                EXPECT_EQ(*value, entry.value) << key.path << " " << entry.name;
            }
        }
    }
    // The section keeps the spelling the file gave it.
    EXPECT_NE(ReadFile(file).find("[HKEY_CURRENT_USER\\SOFTWARE\\varnook\\twinvane]\n"),
              std::string::npos);
    StoredSettings loaded;
    LoadSettings(loaded);
    EXPECT_EQ(loaded.WinDiffPath, "/usr/bin/meld");
    EXPECT_EQ(loaded.ActionSetting, 3);
}

TEST_F(RegistryFileTest, UnparseableFileFailsTheLoadAndIsKeptAsideAtTheNextSave) {
    const std::string broken = "REGEDIT4\n"
                               "[HKEY_CURRENT_USER\\Software\\Varnook\\Twinvane]\n"
                               "\"Install\"=\"unterminated\n";
    fs::create_directories(temp.Path() / "config/twinvane");
    WriteFile(file, broken);

    StoredSettings settings;
    try {
        LoadSettings(settings);
        FAIL() << "no error raised";
    } catch (const RegistryError& error) {
        EXPECT_EQ(error.Message(), "The settings file " + file +
                                       " does not parse (line 3: a quoted text lacks its closing "
                                       "quote). It will be kept as " +
                                       file + ".bad when the settings are next saved");
    }
    EXPECT_EQ(ReadFile(file), broken);

    SaveSettings(Sample());
    EXPECT_EQ(ReadFile(file + ".bad"), broken);
    LoadSettings(settings);
    EXPECT_EQ(settings.WinDiffPath, "/usr/bin/meld");

    // A second broken file does not take the place of the first.
    WriteFile(file, "not a registry\n");
    EXPECT_THROW(LoadSettings(settings), RegistryError);
    SaveSettings(Sample());
    EXPECT_EQ(ReadFile(file + ".bad"), broken);
    EXPECT_EQ(ReadFile(file + ".bad.2"), "not a registry\n");
}

TEST_F(RegistryFileTest, AFailedSaveLeavesAnUnparseableFileInPlace) {
    fs::create_directories(folder);
    WriteFile(file, "not a registry\n");
    // A folder where the temporary file goes makes the save fail late.
    fs::create_directories(temp.Path() / "config/twinvane/registry.reg.tmp");
    EXPECT_THROW(SaveSettings(Sample()), RegistryError);
    EXPECT_EQ(ReadFile(file), "not a registry\n");
    EXPECT_FALSE(fs::exists(file + ".bad"));
}

TEST_F(RegistryFileTest, ASaveThroughALinkReplacesTheLinkedFileAndKeepsTheLink) {
    const std::string dotfiles = temp / "dotfiles";
    const struct {
        const char* name;
        std::string link;
        bool targetExists;
    } cases[] = {
        {"relative", "../../dotfiles/twinvane.reg", true},
        {"absolute", dotfiles + "/twinvane.reg", true},
        {"to a file not there yet", dotfiles + "/twinvane.reg", false},
    };
    const std::string other =
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"Kept\"=\"yes\"\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(temp.Path() / "config");
        fs::remove_all(dotfiles);
        fs::create_directories(folder);
        fs::create_directories(dotfiles);
        if (c.targetExists) {
            WriteFile(dotfiles + "/twinvane.reg", other);
        }
        fs::create_symlink(c.link, file);

        SaveSettings(Sample());
        ASSERT_TRUE(fs::is_symlink(file));
        EXPECT_EQ(fs::read_symlink(file).string(), c.link);
        const auto saved = ParseRegedit(ReadFile(dotfiles + "/twinvane.reg"));
        ASSERT_NE(saved.FindValue(kSection, "WD Loc"), nullptr);
        EXPECT_EQ(saved.FindValue("HKEY_CURRENT_USER\\Software\\Other", "Kept") != nullptr,
                  c.targetExists);
        EXPECT_EQ(ModeOf(dotfiles + "/twinvane.reg"), 0600);
        EXPECT_EQ(std::distance(fs::directory_iterator(dotfiles), fs::directory_iterator()), 1)
            << "a temporary file is left";
    }
}

TEST_F(RegistryFileTest, AFifoForTheFileOrItsLockIsRefusedWithoutWaiting) {
    const struct {
        const char* name;
        bool loadRefused;
        std::string error;
    } cases[] = {
        {"registry.reg", true,
         "Cannot read the settings file " + file + ": it is not a regular file"},
        {"registry.reg.lock", false,
         "Cannot lock the settings with " + file + ".lock: it is not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder);
        fs::create_directories(folder);
        const std::string fifo = folder + "/" + c.name;
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        StoredSettings settings;
        if (c.loadRefused) {
            EXPECT_THROW(LoadSettings(settings), RegistryError);
        } else {
            EXPECT_NO_THROW(LoadSettings(settings));
        }
        try {
            SaveSettings(Sample());
            ADD_FAILURE() << "no error raised";
        } catch (const RegistryError& error) {
            EXPECT_EQ(error.Message(), c.error);
        }
        EXPECT_TRUE(fs::is_fifo(fifo));
    }
}

TEST_F(RegistryFileTest, ASaveGivesUpOnALockHeldTooLongAndNamesTheLockFile) {
    SaveSettings(Sample());
    const std::string before = ReadFile(file);
    const HeldLock held(file + ".lock");
    const platform::posix::RegistryFile registry(folder, std::chrono::milliseconds(100));
    const auto start = std::chrono::steady_clock::now();
    try {
        registry.Update([](platform::posix::RegistryDocument&) { return true; });
        FAIL() << "no error raised";
    } catch (const RegistryError& error) {
        EXPECT_EQ(error.Message(),
                  "Cannot save the settings: another program still holds the lock file " + file +
                      ".lock");
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_EQ(ReadFile(file), before);
}

TEST_F(RegistryFileTest, SessionsSavingAtTheSameTimeKeepEachOthersChanges) {
    platform::UserRegistry first;
    platform::UserRegistry second;
    ASSERT_TRUE(first.CurrentUser().CreateSubKey("Software\\First").SetValue("n", 1, "1"));
    ASSERT_TRUE(second.CurrentUser().CreateSubKey("Software\\Second").SetValue("n", 1, "2"));
    first.Commit();
    second.Commit();

    const auto document = ParseRegedit(ReadFile(file));
    EXPECT_NE(document.FindValue("HKEY_CURRENT_USER\\Software\\First", "n"), nullptr);
    EXPECT_NE(document.FindValue("HKEY_CURRENT_USER\\Software\\Second", "n"), nullptr);
}

TEST_F(RegistryFileTest, AStoreThatGoesWithoutCloseWritesNothing) {
    {
        SettingsStore store("Software");
        store.WriteText("Varnook\\Twinvane", "Install", "/opt");
    }
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(RegistryFileTest, NamesTheFileCannotHoldAreRefused) {
    SettingsStore store("Software");
    try {
        store.WriteText("Varnook\\Twinvane", "two\nlines", "x");
        FAIL() << "no error raised";
    } catch (const SettingsError& error) {
        EXPECT_EQ(error.Message(), "Failed to set data for 'two\nlines'");
    }
    try {
        store.WriteText("Varnook\\\\Twinvane", "Install", "x");
        FAIL() << "no error raised";
    } catch (const SettingsError& error) {
        EXPECT_EQ(error.Message(), "Failed to create key Varnook\\\\Twinvane");
    }
}

TEST_F(RegistryFileTest, SaveThatCannotReachTheFileRaisesAndNamesIt) {
    WriteFile(temp / "config", "a file where the folder should be");
    try {
        SaveSettings(Sample());
        FAIL() << "no error raised";
    } catch (const RegistryError& error) {
        EXPECT_EQ(error.Message().rfind(
                      "Cannot create the settings folder " + temp / "config/twinvane", 0),
                  0u)
            << error.Message();
    }
    EXPECT_EQ(ReadFile(temp / "config"), "a file where the folder should be");

    fs::remove(temp.Path() / "config");
    fs::create_directories(file);
    EXPECT_THROW(SaveSettings(Sample()), RegistryError);
    EXPECT_THROW(
        {
            StoredSettings settings;
            LoadSettings(settings);
        },
        RegistryError);
    EXPECT_TRUE(fs::is_directory(file));
}

} // namespace
} // namespace twinvane
