// SPDX-License-Identifier: MIT
#include "settings/SettingsStore.h"

#include "settings/RegistrySandbox.h"

#include <gtest/gtest.h>

#include <string>

namespace twinvane {
namespace {

using platform::kRegBinary;
using platform::kRegDword;
using platform::kRegExpandSz;
using platform::kRegSz;
using testing::RegistrySandbox;

std::string Text(const std::string& text) {
    return text + '\0';
}

// Bytes that survive the Windows ANSI code page unchanged as well as UTF-8:
// "Übersicht – Café ファイル" in UTF-8.
const std::string kNonAscii = "\xC3\x9C"
                              "bersicht \xE2\x80\x93 Caf\xC3\xA9 \xE3\x83\x95\xE3\x82\xA1";

template <typename Action> void ExpectError(Action action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no error raised; expected: " << message;
    } catch (const SettingsError& error) {
        EXPECT_EQ(error.Message(), message);
    }
}

class SettingsStoreTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
    const std::string& section = sandbox.SectionPath();
};

TEST_F(SettingsStoreTest, MissingSectionReadsDefaultsAndCreatesNothing) {
    SettingsStore store("Software");
    EXPECT_EQ(store.ReadText(section, "Install", "C:\\Twinvane"), "C:\\Twinvane");
    EXPECT_EQ(store.ReadInteger(section, "Action", 2), 2);
    EXPECT_TRUE(store.ReadFlag(section, "DelTemps", true));
    EXPECT_FALSE(store.ReadFlag(section, "DelTemps", false));
    store.Close();
    EXPECT_FALSE(sandbox.SectionExists());
}

TEST_F(SettingsStoreTest, MissingValueInExistingSectionReadsDefault) {
    sandbox.Plant("Other", kRegSz, Text("x"));
    SettingsStore store("Software");
    EXPECT_EQ(store.ReadText(section, "File 1", "none"), "none");
    EXPECT_EQ(store.ReadInteger(section, "Action", 2), 2);
    EXPECT_TRUE(store.ReadFlag(section, "DelTemps", true));
}

TEST_F(SettingsStoreTest, IntegersAndFlagsAreReadFromTheirText) {
    const struct {
        const char* stored;
        std::int32_t number;
        bool flag;
    } cases[] = {
        {"abc", 2, true}, {"  42", 42, true}, {"-0x1F", -31, true},
        {"42 ", 2, true}, {"0", 0, false},
    };
    for (const auto& c : cases) {
        sandbox.Plant("Action", kRegSz, Text(c.stored));
        SettingsStore store("Software");
        EXPECT_EQ(store.ReadInteger(section, "Action", 2), c.number) << "stored " << c.stored;
        EXPECT_EQ(store.ReadFlag(section, "Action", true), c.flag) << "stored " << c.stored;
    }
}

TEST_F(SettingsStoreTest, NonTextValueRaisesInvalidDataType) {
    sandbox.Plant("Action", kRegBinary, std::string("\x01\x02", 2));
    sandbox.Plant("Count", kRegDword, std::string("\x02\x00\x00\x00", 4));
    SettingsStore store("Software");
    ExpectError([&] { store.ReadText(section, "Action", ""); }, "Invalid data type for 'Action'");
    ExpectError([&] { store.ReadInteger(section, "Action", 2); }, "Invalid data type for 'Action'");
    ExpectError([&] { store.ReadFlag(section, "Count", true); }, "Invalid data type for 'Count'");
}

TEST_F(SettingsStoreTest, EmptyDataOfAnyTypeReadsAsEmptyText) {
    sandbox.Plant("Empty", kRegBinary, "");
    sandbox.Plant("Action", kRegSz, "");
    SettingsStore store("Software");
    EXPECT_EQ(store.ReadText(section, "Empty", "default"), "");
    EXPECT_EQ(store.ReadInteger(section, "Action", 2), 2);
}

TEST_F(SettingsStoreTest, TextIsReadWithinItsSizeAndUpToItsFirstZero) {
    sandbox.Plant("Unterminated", kRegSz, "abc");
    sandbox.Plant("Embedded", kRegSz, std::string("ab\0cd\0", 6));
    sandbox.Plant("Expandable", kRegExpandSz, Text("%TEMP%\\x"));
    SettingsStore store("Software");
    EXPECT_EQ(store.ReadText(section, "Unterminated", ""), "abc");
    EXPECT_EQ(store.ReadText(section, "Embedded", ""), "ab");
    EXPECT_EQ(store.ReadText(section, "Expandable", ""), "%TEMP%\\x");
}

TEST_F(SettingsStoreTest, WritesCreateTheSectionAndStoreTextWithItsTerminator) {
    SettingsStore store("Software");
    store.WriteText(section, "File 1", "C:\\a.txt");
    store.WriteText(section, "File 2", "");
    store.WriteInteger(section, "Action", -5);
    store.WriteFlag(section, "DelTemps", true);
    store.WriteFlag(section, "Other", false);
    store.Close();

    ASSERT_TRUE(sandbox.SectionExists());
    const struct {
        const char* name;
        std::string data;
    } expected[] = {
        {"File 1", Text("C:\\a.txt")}, {"File 2", Text("")}, {"Action", Text("-5")},
        {"DelTemps", Text("1")},       {"Other", Text("0")},
    };
    for (const auto& e : expected) {
        const auto value = sandbox.Peek(e.name);
        ASSERT_TRUE(value) << e.name;
        EXPECT_EQ(value->type, kRegSz) << e.name;
        EXPECT_EQ(value->data, e.data) << e.name;
    }
}

TEST_F(SettingsStoreTest, TextsRoundTripByteForByte) {
    const std::string texts[] = {
        kNonAscii,
        "C:\\" + std::string(296, 'p'),
        "quote \" backslash \\ semicolon ; equals = [bracket]",
        " leading and trailing blanks ",
    };
    int index = 0;
    for (const auto& text : texts) {
        const std::string ident = "Text " + std::to_string(index++);
        SettingsStore writer("Software");
        writer.WriteText(section, ident, text);
        writer.Close();
        SettingsStore reader("Software");
        EXPECT_EQ(reader.ReadText(section, ident, "absent"), text);
    }
}

TEST_F(SettingsStoreTest, SectionAndValueNamesIgnoreCase) {
    SettingsStore writer("Software");
    writer.WriteText(section, "File 1", "first");
    writer.Close();

    std::string shouted = section;
    for (char& c : shouted) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    SettingsStore store("Software");
    EXPECT_EQ(store.ReadText(shouted, "FILE 1", ""), "first");
    store.WriteText(shouted, "file 1", "second");
    store.Close();
    const auto value = sandbox.Peek("File 1");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->data, Text("second"));
}

TEST_F(SettingsStoreTest, UncreatableSectionRaisesCreateError) {
    SettingsStore store("Software");
    ExpectError([&] { store.WriteText("\\" + section, "File 1", "x"); },
                "Failed to create key \\" + section);
}

} // namespace
} // namespace twinvane
