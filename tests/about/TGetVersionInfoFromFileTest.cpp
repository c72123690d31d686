// SPDX-License-Identifier: MIT
// Runs against the Linux reader and, in the Windows build, against the
// Windows version API itself, on the same synthetic files.
#include "about/TGetVersionInfoFromFile.h"
#include "platform/PathSyntax.h"
#include "support/TempFolder.h"
#include "support/VersionFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace twinvane {
namespace {

using testing::EightKeys;
using testing::EightStrings;
using testing::EightValues;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using testing::NoText;
using testing::PeFile;
using testing::StringTable;
using testing::Text;
using testing::VersionBlock;
using testing::VersionNode;

std::vector<std::string> Entries(const TStringList& list) {
    return {list.begin(), list.end()};
}

std::vector<std::byte> EnglishBlock(std::vector<VersionNode> strings) {
    return VersionBlock({StringTable("040904B0", std::move(strings))}, {0x0409, 0x04B0});
}

class TGetVersionInfoFromFileTest : public ::testing::Test {
protected:
    // Writes `file` under a fresh name and gives the reader that name.
    std::string Read(const std::vector<std::byte>& file) {
        const std::string path = temp_ / ("file" + std::to_string(++files_) + ".exe");
        testing::WriteBytes(path, file);
        reader_.SetfileName(path);
        return path;
    }
    std::string ReadBlock(const std::vector<std::byte>& block) { return Read(PeFile({{block}})); }
    std::vector<std::string> Strings() const { return Entries(reader_.VersionStrings()); }
    std::vector<std::string> Categories() const { return Entries(reader_.VersionCategories()); }

    testing::TempFolder temp_;
    int files_ = 0;
    TGetVersionInfoFromFile reader_;
};

TEST_F(TGetVersionInfoFromFileTest, StartsEmpty) {
    EXPECT_EQ(reader_.fileName(), "");
    EXPECT_EQ(reader_.VersionStrings().Count(), 0);
    EXPECT_EQ(reader_.VersionCategories().Count(), 0);
}

TEST_F(TGetVersionInfoFromFileTest, ReadsTheEightKeysInTableOrderFromBothPeFormats) {
    auto reversed = EightStrings();
    std::reverse(reversed.begin(), reversed.end());
    for (const auto kind : {testing::PeKind::Pe32, testing::PeKind::Pe32Plus}) {
        const std::string path = Read(PeFile({{EnglishBlock(reversed)}}, kind));
        EXPECT_EQ(reader_.fileName(), path);
        EXPECT_THAT(Categories(), ElementsAreArray(EightKeys()));
        EXPECT_THAT(Strings(), ElementsAreArray(EightValues()));
    }
}

TEST_F(TGetVersionInfoFromFileTest, OnlyTheTableOfTheFirstTranslationIsRead) {
    const auto block = VersionBlock({StringTable("040704E4", {Text("CompanyName", u"Zweite")}),
                                     StringTable("040904B0", EightStrings())},
                                    {0x0409, 0x04B0, 0x0407, 0x04E4});
    ReadBlock(block);
    EXPECT_THAT(Strings(), ElementsAreArray(EightValues()));
}

TEST_F(TGetVersionInfoFromFileTest, LanguageAndCodePageAreFourHexadecimalDigitsEach) {
    const struct {
        std::vector<std::uint16_t> translation;
        const char* table;
    } cases[] = {
        {{0x0809, 0x04E4}, "080904E4"},
        {{0x0C0A, 0x04B0}, "0C0A04B0"},
        {{0x0007, 0x0004}, "00070004"},
        {{0xFFFF, 0xABCD}, "FFFFABCD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        ReadBlock(VersionBlock({StringTable(c.table, EightStrings())}, c.translation));
        EXPECT_THAT(Strings(), ElementsAreArray(EightValues()));
    }
}

TEST_F(TGetVersionInfoFromFileTest, AMissingKeyEndsTheReading) {
    auto strings = EightStrings();
    strings.erase(strings.begin() + 1); // FileDescription
    ReadBlock(EnglishBlock(strings));
    EXPECT_THAT(Categories(), ElementsAre("CompanyName"));
    EXPECT_THAT(Strings(), ElementsAre("Company"));
}

TEST_F(TGetVersionInfoFromFileTest, AValueWithNoCharactersIsSkipped) {
    auto strings = EightStrings();
    strings[5] = NoText("OriginalFilename");
    ReadBlock(EnglishBlock(strings));
    ASSERT_EQ(reader_.VersionStrings().Count(), 7);
    EXPECT_EQ(reader_.VersionCategories()[5], "ProductName");
    EXPECT_EQ(reader_.VersionStrings()[5], "Product");
    EXPECT_EQ(reader_.VersionCategories()[6], "ProductVersion");
    EXPECT_EQ(reader_.VersionStrings()[6], "5.6.7.8");
}

// A resource compiler stores "" as a lone NUL, which counts as one character.
TEST_F(TGetVersionInfoFromFileTest, AValueOfOnlyItsTerminatorGivesAnEmptyEntry) {
    auto strings = EightStrings();
    strings[5] = Text("OriginalFilename", u"");
    ReadBlock(EnglishBlock(strings));
    ASSERT_EQ(reader_.VersionStrings().Count(), 8);
    EXPECT_EQ(reader_.VersionCategories()[5], "OriginalFilename");
    EXPECT_EQ(reader_.VersionStrings()[5], "");
}

TEST_F(TGetVersionInfoFromFileTest, AValueEndsAtItsFirstNulOrItsStoredLength) {
    auto strings = EightStrings();
    strings[0] = Text("CompanyName", std::u16string(u"abc\0def", 7));
    // Stored without a terminator: the stored length alone ends it.
    strings[1].value.resize(strings[1].value.size() - 2);
    strings[1].valueLength = static_cast<std::uint16_t>(strings[1].valueLength - 1);
    ReadBlock(EnglishBlock(strings));
    ASSERT_EQ(reader_.VersionStrings().Count(), 8);
    EXPECT_EQ(reader_.VersionStrings()[0], "abc");
    EXPECT_EQ(reader_.VersionStrings()[1], "Description");
}

TEST_F(TGetVersionInfoFromFileTest, LongValuesAreReadWhole) {
    auto strings = EightStrings();
    std::u16string long16;
    std::string long8;
    for (int i = 0; i < 1000; ++i) {
        long16 += static_cast<char16_t>(u'a' + i % 26);
        long8 += static_cast<char>('a' + i % 26);
    }
    strings[4] = Text("LegalCopyright", long16);
    ReadBlock(EnglishBlock(strings));
    ASSERT_EQ(reader_.VersionStrings().Count(), 8);
    EXPECT_EQ(reader_.VersionStrings()[4], long8);
}

TEST_F(TGetVersionInfoFromFileTest, KeysMatchWithoutRegardToCaseAndTheFirstDuplicateWins) {
    auto strings = EightStrings();
    strings[0].key = "COMPANYNAME";
    strings[2].key = "fileversion";
    strings.insert(strings.begin() + 1, Text("CompanyName", u"Second"));
    ReadBlock(EnglishBlock(strings));
    EXPECT_THAT(Categories(), ElementsAreArray(EightKeys()));
    EXPECT_THAT(Strings(), ElementsAreArray(EightValues()));
}

TEST_F(TGetVersionInfoFromFileTest, ABlockWithoutTranslationOrStringsGivesEmptyLists) {
    const auto strings =
        versiongen::BlockNode("StringFileInfo", {StringTable("040904B0", EightStrings())});
    const struct {
        const char* what;
        std::vector<std::byte> block;
    } cases[] = {
        {"no VarFileInfo", versiongen::WriteVersionBlock(versiongen::RootNode({}, {strings}))},
        {"an empty translation table", VersionBlock({StringTable("040904B0", EightStrings())}, {})},
        {"no StringFileInfo", VersionBlock({}, {0x0409, 0x04B0})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = ReadBlock(c.block);
        EXPECT_EQ(reader_.fileName(), path);
        EXPECT_THAT(Strings(), IsEmpty());
        EXPECT_THAT(Categories(), IsEmpty());
    }
}

TEST_F(TGetVersionInfoFromFileTest, FilesWithoutABlockKeepTheirNameAndGiveEmptyLists) {
    const std::string noResource = Read(PeFile({}));
    EXPECT_EQ(reader_.fileName(), noResource);
    EXPECT_THAT(Strings(), IsEmpty());
    const std::string text = temp_ / "notes.txt";
    testing::WriteFile(text, "not a program");
    reader_.SetfileName(text);
    EXPECT_EQ(reader_.fileName(), text);
    EXPECT_THAT(Strings(), IsEmpty());
    EXPECT_THAT(Categories(), IsEmpty());
}

TEST_F(TGetVersionInfoFromFileTest, UsEnglishIsPreferredAmongLanguagesElseTheFirst) {
    const auto german = EnglishBlock({Text("CompanyName", u"Deutsch")});
    const auto japanese = EnglishBlock({Text("CompanyName", u"Nihongo")});
    Read(PeFile({{german, 0x0407}, {EnglishBlock(EightStrings()), 0x0409}}));
    EXPECT_THAT(Strings(), ElementsAreArray(EightValues()));
    Read(PeFile({{japanese, 0x0411}, {german, 0x0407}}));
    EXPECT_THAT(Strings(), ElementsAre("Deutsch"));
}

TEST_F(TGetVersionInfoFromFileTest, OnlyResourceOneHoldsTheVersionBlock) {
    Read(PeFile({{EnglishBlock(EightStrings()), 0x0409, 2}}));
    EXPECT_THAT(Strings(), IsEmpty());
    Read(PeFile({{EnglishBlock({Text("CompanyName", u"Two")}), 0x0409, 2},
                 {EnglishBlock(EightStrings()), 0x0409, 1}}));
    EXPECT_THAT(Strings(), ElementsAreArray(EightValues()));
}

// An address below the headers' size is an offset into the file; where that
// leads nowhere, Windows finds the directory through the section table.
TEST_F(TGetVersionInfoFromFileTest, TheResourceDirectoryIsFoundInTheHeadersOrThroughSections) {
    const std::size_t headersSize = testing::kPeOptionalHeader + 60;
    const std::size_t resourceAddress = testing::kPeOptionalHeader + 112 + 16; // PE32+
    auto inHeaders = PeFile({{EnglishBlock(EightStrings())}});
    testing::StoreU32(inHeaders, headersSize, testing::kPeResourceOffset + 0x200);
    testing::StoreU32(inHeaders, resourceAddress, testing::kPeResourceOffset);
    Read(inHeaders);
    EXPECT_THAT(Strings(), ElementsAreArray(EightValues()));

    auto headersPastTheEnd = PeFile({{EnglishBlock(EightStrings())}});
    testing::StoreU32(headersPastTheEnd, headersSize, 0x10000);
    Read(headersPastTheEnd);
    EXPECT_THAT(Strings(), ElementsAreArray(EightValues()));
}

// The Windows API would trust such a length and write past its buffer.
TEST_F(TGetVersionInfoFromFileTest, ABlockLongerThanItsResourceCountsAsUnreadable) {
    auto block = EnglishBlock(EightStrings());
    testing::StoreU16(block, 0, 0xFFFF);
    const std::string path = ReadBlock(block);
    EXPECT_EQ(reader_.fileName(), path);
    EXPECT_THAT(Strings(), IsEmpty());
    EXPECT_THAT(Categories(), IsEmpty());
}

TEST_F(TGetVersionInfoFromFileTest, FoldersAndMissingFilesLeaveNoNameAndEmptyLists) {
    const std::string missing = temp_ / "missing.exe";
    for (const std::string& name : {temp_.Path().string(), missing, std::string()}) {
        SCOPED_TRACE(name);
        ReadBlock(EnglishBlock(EightStrings()));
        ASSERT_EQ(reader_.VersionStrings().Count(), 8);
        reader_.SetfileName(name);
        EXPECT_EQ(reader_.fileName(), "");
        EXPECT_THAT(Strings(), IsEmpty());
        EXPECT_THAT(Categories(), IsEmpty());
    }
}

TEST_F(TGetVersionInfoFromFileTest, EveryAssignmentStartsOver) {
    const std::string full = ReadBlock(EnglishBlock(EightStrings()));
    reader_.SetfileName(full);
    EXPECT_THAT(Strings(), ElementsAreArray(EightValues()));
    ReadBlock(EnglishBlock({Text("CompanyName", u"Only")}));
    EXPECT_THAT(Categories(), ElementsAre("CompanyName"));
    EXPECT_THAT(Strings(), ElementsAre("Only"));
}

TEST_F(TGetVersionInfoFromFileTest, AssigningAListChangesNothing) {
    ReadBlock(EnglishBlock(EightStrings()));
    TStringList other;
    other.Add("other");
    reader_.SetVersionStrings(other);
    reader_.SetVersionCategories(other);
    EXPECT_THAT(Strings(), ElementsAreArray(EightValues()));
    EXPECT_THAT(Categories(), ElementsAreArray(EightKeys()));
}

// 259 characters is the longest name the Windows file functions take.
TEST_F(TGetVersionInfoFromFileTest, NamesLongerThan256CharactersAreUsedWhole) {
    const std::string folder = temp_ / std::string(100, 'f');
    std::filesystem::create_directory(folder);
    const std::string start = folder + platform::PathSeparator();
    ASSERT_LT(start.size(), 200u);
    const std::string path = start + std::string(259 - start.size(), 'n');
    testing::WriteBytes(path, PeFile({{EnglishBlock(EightStrings())}}));
    reader_.SetfileName(path);
    EXPECT_EQ(reader_.fileName(), path);
    EXPECT_THAT(Strings(), ElementsAreArray(EightValues()));
}

} // namespace
} // namespace twinvane
