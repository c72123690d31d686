// SPDX-License-Identifier: MIT
// What an earlier run, or anyone, left in the record of copies waiting for
// deletion: only the temporary copies are ever deleted on its behalf, and a
// record larger than Twinvane writes is set aside and reported once.
#include "platform/DeletionRecord.h"
#include "CompareFixture.h"

#include <filesystem>
#include <vector>

namespace twinvane {
namespace {

class DeletionRecordTest : public testing::CompareFixture {
protected:
    DeletionRecordTest() {
        platform::PrepareTemporaryCopyFolder();
        std::filesystem::create_directories(std::filesystem::path(record).parent_path());
    }
    ~DeletionRecordTest() override {
        std::error_code ignored;
        std::filesystem::remove(record + ".bad", ignored);
    }

    // A line of a Twinvane that has ended, for `path` with the identity
    // `file` has now.
    static std::string LineFor(const std::string& path, const std::string& file) {
        const auto identity = platform::IdentityOf(file).value();
        return "1 1 " + std::to_string(identity.volume) + ' ' + std::to_string(identity.index) +
               ' ' + path + '\n';
    }

    const std::string record = platform::DeletionRecordPath();
};

TEST_F(DeletionRecordTest, OnlyTemporaryCopiesAreDeletedAndOversizedRecordsSetAside) {
    const std::string thesis = MakeFile("thesis.txt", "mine");
    const std::string copy = Temporary(1);
    const std::string longName = std::string(2000, 'x');
    const struct {
        const char* name;
        std::vector<std::string> lines; // names, each with the copy's identity
        std::size_t blankLines;
        bool copyDeleted;
        bool setAside;
    } cases[] = {
        {"a temporary copy", {copy}, 0, true, false},
        {"a file of the user's", {thesis}, 0, false, false},
        {"a line beyond the bound", {copy, longName}, 0, false, true},
        {"a record beyond the bound", {copy}, 9000, false, true},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        testing::WriteFile(copy, "copy");
        std::string text(row.blankLines, '\n');
        for (const auto& name : row.lines) {
            text += LineFor(name, name == thesis ? thesis : copy);
        }
        testing::WriteFile(record, text);
        view.errorBoxes.clear();
        TTwinvane{view, storage, shell}.FormActivate();

        EXPECT_EQ(testing::ReadFile(thesis), "mine");
        EXPECT_EQ(platform::FileExists(Temporary(1)), !row.copyDeleted);
        // Nothing the clean-up may not delete stays in the record.
        EXPECT_FALSE(platform::FileExists(record));
        EXPECT_EQ(platform::FileExists(record + ".bad"), row.setAside);
        EXPECT_EQ(view.errorBoxes.size(), row.setAside ? 1U : 0U);
        if (row.setAside && !view.errorBoxes.empty()) {
            EXPECT_NE(view.errorBoxes[0].find(record + ".bad"), std::string::npos);
        }
        // Reported once: the next start finds nothing to tell.
        view.errorBoxes.clear();
        TTwinvane{view, storage, shell}.FormActivate();
        EXPECT_TRUE(view.errorBoxes.empty());
        platform::RemoveFile(record + ".bad");
    }
}

} // namespace
} // namespace twinvane
