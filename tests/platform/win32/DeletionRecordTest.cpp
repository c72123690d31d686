// SPDX-License-Identifier: MIT
// The record of waiting files, kept in a local application data folder that
// each test makes its own.
#include "platform/DeletionRecord.h"
#include "platform/Exception.h"
#include "support/EnvGuard.h"
#include "support/TempFolder.h"
#include "support/win32/FileLink.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace twinvane::platform {
namespace {

using State = DeletionRecordText::State;
using ::testing::HasSubstr;
using testing::ReadFile;
using testing::WriteFile;

class DeletionRecordTest : public ::testing::Test {
protected:
    testing::TempFolder local;
    testing::EnvGuard localAppData{"LOCALAPPDATA", local.Path().string()};
    const std::string folder = local / "Twinvane";
    const std::string record = local / "Twinvane\\TWVTemp.del";

    // The message WriteDeletionRecord, or else ReadDeletionRecord, raises.
    static std::string Refusal(bool writing) {
        try {
            if (writing) {
                WriteDeletionRecord("1 2 3 4 C:\\TWVTemp1\n");
            } else {
                ReadDeletionRecord(100);
            }
        } catch (const Exception& error) {
            return error.Message();
        }
        return "(nothing raised)";
    }
};

TEST_F(DeletionRecordTest, IsKeptInTheUsersLocalApplicationData) {
    EXPECT_EQ(DeletionRecordPath(), record);
}

TEST_F(DeletionRecordTest, ReadsBackWhatWasWrittenAndEmptyTextRemovesIt) {
    EXPECT_EQ(ReadDeletionRecord(100).state, State::Absent);
    WriteDeletionRecord("");
    EXPECT_FALSE(std::filesystem::exists(folder)) << "nothing to record, nothing made";

    WriteDeletionRecord("1 2 3 4 C:\\TWVTemp1\n");
    WriteDeletionRecord("5 6 7 8 C:\\TWVTemp2\n");
    const auto read = ReadDeletionRecord(100);
    EXPECT_EQ(read.state, State::Read);
    EXPECT_EQ(read.text, "5 6 7 8 C:\\TWVTemp2\n");
    EXPECT_FALSE(std::filesystem::exists(record + ".new"));

    WriteDeletionRecord("");
    EXPECT_FALSE(std::filesystem::exists(record));
    EXPECT_EQ(ReadDeletionRecord(100).state, State::Absent);
}

TEST_F(DeletionRecordTest, ARecordOverTheLimitIsTooLong) {
    struct Case {
        std::size_t size;
        std::size_t limit;
        State state;
    };
    // Around a small limit, and around one beyond a single read.
    for (const Case& c : {Case{10, 10, State::Read}, Case{11, 10, State::TooLong},
                          Case{10000, 10000, State::Read}, Case{10001, 10000, State::TooLong}}) {
        SCOPED_TRACE(std::to_string(c.size) + " bytes, limit " + std::to_string(c.limit));
        const std::string text = testing::Pattern(c.size);
        WriteDeletionRecord(text);
        const auto read = ReadDeletionRecord(c.limit);
        EXPECT_EQ(read.state, c.state);
        EXPECT_EQ(read.text, c.state == State::Read ? text : "");
    }
}

TEST_F(DeletionRecordTest, SetAsideMovesItToBadReplacingAnEarlierOne) {
    SetAsideDeletionRecord(); // nothing to move
    EXPECT_FALSE(std::filesystem::exists(record + ".bad"));
    for (const std::string text : {"first\n", "second\n"}) {
        WriteDeletionRecord(text);
        SetAsideDeletionRecord();
        EXPECT_FALSE(std::filesystem::exists(record));
        EXPECT_EQ(ReadFile(record + ".bad"), text);
        EXPECT_EQ(ReadDeletionRecord(100).state, State::Absent);
    }
}

// A place that is not what it must be is named, with the reason, and
// nothing is read from it or written into it.
TEST_F(DeletionRecordTest, RefusesAPlaceThatIsNotWhatItMustBe) {
    struct Case {
        bool folderIsAFile;
        bool writing;
        const char* why;
    };
    for (const Case& c :
         {Case{false, false, "is not a regular file"}, Case{true, false, "is not a folder"},
          Case{true, true, "is not a folder"}}) {
        SCOPED_TRACE(std::string(c.why) + (c.writing ? ", writing" : ", reading"));
        std::filesystem::remove_all(folder);
        if (c.folderIsAFile) {
            WriteFile(folder, "");
        } else {
            std::filesystem::create_directories(record); // a folder where the record goes
        }
        const std::string message = Refusal(c.writing);
        EXPECT_THAT(message, HasSubstr(c.folderIsAFile ? folder : record));
        EXPECT_THAT(message, HasSubstr(c.why));
    }
}

TEST_F(DeletionRecordTest, RefusesARecordThatIsALink) {
    const std::string target = local / "elsewhere.del";
    WriteFile(target, "1 2 3 4 C:\\Users\\victim\\file.txt\n");
    std::filesystem::create_directory(folder);
    if (!testing::MakeFileLink(record, target)) {
        GTEST_SKIP() << "this system makes no symbolic links here (Wine 8 only pretends to)";
    }
    EXPECT_THAT(Refusal(false), HasSubstr("is a link"));
}

} // namespace
} // namespace twinvane::platform
