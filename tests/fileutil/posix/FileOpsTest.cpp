// SPDX-License-Identifier: MIT
#include "fileutil/fileops.h"
#include "fileutil/FileErrors.h"
#include "platform/CommandLine.h"
#include "platform/posix/os/UniqueFd.h"
#include "support/Recording.h"
#include "support/TempFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>

namespace twinvane {
namespace {

using testing::Pattern;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

const std::string kRecorder = TWINVANE_RECORDER_PATH;

TEST(CopyFileToPosixTest, SourceWriteLockedByAnotherOpenRaisesOpenError) {
    TempFolder temp;
    WriteFile(temp / "locked.txt", "busy");
    const int fd = ::open((temp / "locked.txt").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);

    EXPECT_THROW(CopyFileTo(temp / "locked.txt", temp / "copy.txt"), EFOpenError);
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "copy.txt"));
    ::close(fd);
    EXPECT_NO_THROW(CopyFileTo(temp / "locked.txt", temp / "copy.txt"));
}

TEST(CopyFileToPosixTest, DestinationLinkedToTheSourceKeepsTheSourceIntact) {
    TempFolder temp;
    const std::string content = Pattern(CopyChunkSize + 3);
    WriteFile(temp / "data.bin", content);
    std::filesystem::create_symlink(temp.Path() / "data.bin", temp.Path() / "alias.bin");
    std::filesystem::create_hard_link(temp.Path() / "data.bin", temp.Path() / "hard.bin");

    EXPECT_THROW(CopyFileTo(temp / "data.bin", temp / "alias.bin"), EFCreateError);
    EXPECT_THROW(CopyFileTo(temp / "alias.bin", temp / "hard.bin"), EFCreateError);
    EXPECT_EQ(ReadFile(temp / "data.bin"), content);
}

TEST(CopyFileToPosixTest, FullDiskRaisesWriteErrorAndLeavesTheDeviceAlone) {
    TempFolder temp;
    WriteFile(temp / "big.bin", Pattern(3 * CopyChunkSize));
    try {
        CopyFileTo(temp / "big.bin", "/dev/full");
        FAIL() << "no error raised";
    } catch (const EWriteError& error) {
        EXPECT_EQ(error.Message(), "Cannot write file /dev/full");
    }
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST(CopyFileToPosixTest, FailedReadRaisesReadErrorAndRemovesThePartialCopy) {
    TempFolder temp;
    // Reading a folder's descriptor fails with EISDIR; /proc/self/mem fails
    // at address 0. Either way the read, not the open, is what fails.
    try {
        CopyFileTo("/proc/self/mem", temp / "copy.bin");
        FAIL() << "no error raised";
    } catch (const EReadError& error) {
        EXPECT_EQ(error.Message(), "Cannot read file /proc/self/mem");
    }
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "copy.bin"));
}

TEST(CopyFileToPosixTest, SourcesThatAreNotRegularFilesRaiseOpenErrorAndCreateNothing) {
    TempFolder temp;
    const std::string fifo = temp / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    std::array<int, 2> ends{};
    ASSERT_EQ(::pipe(ends.data()), 0);
    const platform::posix::UniqueFd reader(ends[0]);
    const platform::posix::UniqueFd writer(ends[1]);
    const std::string lines = "one\ntwo\nthree\n";
    ASSERT_EQ(::write(writer.Get(), lines.data(), lines.size()),
              static_cast<ssize_t>(lines.size()));

    const struct {
        const char* kind;
        std::string path;
    } cases[] = {
        {"FIFO without a writer", fifo},
        {"pipe holding three lines", "/dev/fd/" + std::to_string(reader.Get())},
        {"device", "/dev/null"},
    };
    for (const auto& source : cases) {
        SCOPED_TRACE(source.kind);
        try {
            CopyFileTo(source.path, temp / "copy.txt");
            ADD_FAILURE() << "no error raised";
        } catch (const EFOpenError& error) {
            EXPECT_EQ(error.Message(), "Cannot open file " + source.path);
        }
        EXPECT_FALSE(std::filesystem::exists(temp.Path() / "copy.txt"));
    }
}

TEST(CopyFileToPosixTest, AShortReadIsNotTheEnd) {
    // /proc files hand out at most a page per read, however much is asked for.
    const std::string whole = ReadFile("/proc/crypto");
    if (whole.size() <= 4096) {
        GTEST_SKIP() << "needs a /proc file longer than a page";
    }
    TempFolder temp;
    CopyFileTo("/proc/crypto", temp / "crypto.txt");
    const std::string copy = ReadFile(temp / "crypto.txt");
    EXPECT_EQ(copy.size(), whole.size());
    EXPECT_TRUE(copy == whole);
}

TEST(CopyFileToPosixTest, UnreadableSourceRaisesOpenError) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind root";
    }
    TempFolder temp;
    WriteFile(temp / "secret.txt", "x");
    ::chmod((temp / "secret.txt").c_str(), 0);
    EXPECT_THROW(CopyFileTo(temp / "secret.txt", temp / "copy.txt"), EFOpenError);
}

TEST(CopyFileToPosixTest, NonAsciiNamesAreKeptByteForByte) {
    TempFolder temp;
    const std::string name = "caf\xC3\xA9 \xE2\x82\xAC.txt";
    WriteFile(temp / name, "euro");
    std::filesystem::create_directory(temp.Path() / "out");
    CopyFileTo(temp / name, temp / "out");
    EXPECT_EQ(ReadFile(temp / ("out/" + name)), "euro");
}

TEST(StartWithShellPosixTest, NonAsciiAndTrailingBackslashArgumentsArriveByteForByte) {
    TempFolder temp;
    const std::vector<std::string> arguments = {"caf\xC3\xA9", "\xFF\xFE raw", R"(dir\)",
                                                R"(say "hi")", "tab\tinside"};
    std::string params;
    for (const auto& argument : arguments) {
        params += platform::QuoteArgument(argument) + " ";
    }
    EXPECT_GT(StartWithShell(kRecorder, params, temp.Path().string(), platform::kShow), 32);
    const auto recording = testing::WaitForRecording(temp / "record.txt");
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording->arguments, arguments);
}

TEST(StartWithShellPosixTest, FailuresMapToWindowsCodes) {
    TempFolder temp;
    EXPECT_EQ(StartWithShell(temp / "missing", "", "", platform::kShow),
              platform::kShellFileNotFound);
    EXPECT_EQ(StartWithShell(temp / "no/such/program", "", "", platform::kShow),
              platform::kShellPathNotFound);
    EXPECT_EQ(StartWithShell(kRecorder, "", temp / "no-such-folder", platform::kShow),
              platform::kShellPathNotFound);
    EXPECT_EQ(StartWithShell("", "", "", platform::kShow), platform::kShellFileNotFound);
}

TEST(StartWithShellPosixTest, DocumentsGoToTheDesktopOpener) {
    TempFolder temp;
    // A stand-in xdg-open that records what it was handed.
    const std::string opener = temp / "xdg-open";
    WriteFile(
        opener,
        "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.got.partial\" && mv \"$0.got.partial\" \"$0.got\"\n");
    ::chmod(opener.c_str(), 0755);
    WriteFile(temp / "notes.txt", "a document");

    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath != nullptr ? oldPath : "";
    ::setenv("PATH", (temp.Path().string() + ":" + saved).c_str(), 1);
    const int result = StartWithShell(temp / "notes.txt", "", "", platform::kShow);
    ::setenv("PATH", saved.c_str(), 1);

    EXPECT_GT(result, 32);
    for (int i = 0; i < 500 && !std::filesystem::exists(opener + ".got"); ++i) {
        ::usleep(20000);
    }
    EXPECT_EQ(ReadFile(opener + ".got"), temp / "notes.txt");
}

} // namespace
} // namespace twinvane
