#include "base/input_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <string>

#include "support/device_nodes.h"
#include "support/folder_test.h"

namespace kaz {
namespace {

namespace fs = std::filesystem;

using InputFileTest = test::FolderTest;

TEST_F(InputFileTest, RegularFileUpToTheLimitIsReadAndOneByteMoreRefused) {
    const fs::path path = folder_ / "song.kaz";
    std::ofstream(path) << "C | F |\n";
    const InputFile read = ReadWholeFile(path, 8);
    EXPECT_TRUE(read.Read()) << read.error;
    EXPECT_EQ(read.bytes, "C | F |\n");
    const InputFile refused = ReadWholeFile(path, 7);
    EXPECT_FALSE(refused.Read());
    EXPECT_EQ(refused.error, "'" + path.string() + "' is too large: Kaz reads files of up to 7 bytes here");
}

TEST_F(InputFileTest, FifoIsReadToItsEndWithinTheLimit) {
    const fs::path path = folder_ / "pipe";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const std::string chart(100000, '|');
    auto fed = test::FeedFifo(path, chart);
    const InputFile read = ReadWholeFile(path, chart.size());
    fed.get();
    EXPECT_TRUE(read.Read()) << read.error;
    EXPECT_EQ(read.bytes, chart);
}

TEST_F(InputFileTest, EndlessDeviceEndsWithAnErrorPastTheLimit) {
    const fs::path zero = folder_ / "zero";
    if (!test::MakeCharacterDevice(zero, 1, 5)) {
        GTEST_SKIP() << "this process may not make device nodes";
    }
    const InputFile read = ReadWholeFile(zero, 1 << 20);
    EXPECT_FALSE(read.Read());
    EXPECT_EQ(read.error, "'" + zero.string() + "' is too large: Kaz reads files of up to 1 MiB here");
    EXPECT_TRUE(read.bytes.empty());
}

TEST_F(InputFileTest, MissingFileOrFolderSaysWhy) {
    EXPECT_EQ(ReadWholeFile(folder_ / "none.kaz").error,
              "cannot read '" + (folder_ / "none.kaz").string() + "': No such file or directory");
    EXPECT_EQ(ReadWholeFile(folder_).error, "cannot read '" + folder_.string() + "': Is a directory");
}

TEST_F(InputFileTest, OnlyRegularFilesWhenAskedAndAFifoIsRefusedWithoutWaiting) {
    const fs::path path = folder_ / "pipe";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    // A writer that stays: a reader that opened the FIFO would wait for its end until the guard closes.
    const int guard = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(guard, 0);
    auto read =
        std::async(std::launch::async, [&path] { return ReadWholeFile(path, 1024, FileKinds::RegularOnly); });
    const bool answered = read.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    ::close(guard);
    EXPECT_TRUE(answered);
    const InputFile refused = read.get();
    EXPECT_EQ(refused.reason, NotRegularFileError());
    EXPECT_EQ(refused.error, "'" + path.string() + "' is not a regular file");
    EXPECT_EQ(ReadWholeFile("/dev/null", 1024, FileKinds::RegularOnly).reason, NotRegularFileError());
    EXPECT_TRUE(ReadWholeFile("/dev/null", 1024).Read()) << "a Unix tool reads what it is given";
}

}  // namespace
}  // namespace kaz
