#include "base/output_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

#include "support/device_nodes.h"
#include "support/folder_test.h"

namespace kaz {
namespace {

namespace fs = std::filesystem;

class OutputFileTest : public test::FolderTest {
  protected:
    [[nodiscard]] std::size_t Entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }
};

using test::ReadText;

TEST_F(OutputFileTest, WholeFileReplacesARegularFileAndLeavesNothingElse) {
    const fs::path path = folder_ / "song.kaz";
    std::ofstream(path) << "an older and longer text";
    ASSERT_TRUE(WriteWholeFile(path, "C | F |\n"));
    EXPECT_EQ(ReadText(path), "C | F |\n");
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(OutputFileTest, UncommittedFileLeavesTheTargetAsItWas) {
    const fs::path path = folder_ / "song.kaz";
    std::ofstream(path) << "old";
    {
        OutputFile file;
        ASSERT_TRUE(file.Open(path));
        ASSERT_TRUE(file.Write("new"));
        EXPECT_TRUE(file.CanRewrite());
    }
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(OutputFileTest, LongFileKeepsEveryPieceAndItsHeaderWrittenLast) {
    // Several megabytes, so that the disk is handed parts of the file before it is committed.
    const fs::path path = folder_ / "song.mid";
    std::string expected = "????";
    OutputFile file;
    ASSERT_TRUE(file.Open(path));
    ASSERT_TRUE(file.Write("????"));
    for (int piece = 0; piece < 40; ++piece) {
        const std::string bytes(100'003, static_cast<char>('a' + piece % 26));
        ASSERT_TRUE(file.Write(bytes));
        expected += bytes;
    }
    ASSERT_TRUE(file.Rewrite(0, "MThd"));
    expected.replace(0, 4, "MThd");
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadText(path), expected);
}

TEST_F(OutputFileTest, FifoIsWrittenThroughAndStaysAFifo) {
    const fs::path path = folder_ / "pipe";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    auto received = test::ReadFifo(path);
    EXPECT_TRUE(WriteWholeFile(path, "through the pipe"));
    EXPECT_EQ(received.get(), "through the pipe");
    EXPECT_TRUE(test::IsFifo(path));
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(OutputFileTest, CharacterDeviceIsWrittenWhereItIsAndItsFailureReported) {
    const fs::path null = folder_ / "null";
    const fs::path full = folder_ / "full";
    if (!test::MakeCharacterDevice(null, 1, 3) || !test::MakeCharacterDevice(full, 1, 7)) {
        GTEST_SKIP() << "this process may not make device nodes";
    }
    OutputFile file;
    ASSERT_TRUE(file.Open(null));
    EXPECT_FALSE(file.CanRewrite());
    EXPECT_TRUE(file.Write("gone"));
    EXPECT_TRUE(file.Commit());
    EXPECT_FALSE(WriteWholeFile(full, "no room"));
    EXPECT_TRUE(test::IsCharacterDevice(null));
    EXPECT_TRUE(test::IsCharacterDevice(full));
}

TEST_F(OutputFileTest, AFifoIsRefusedWhenOnlyRegularFilesAreTaken) {
    const fs::path path = folder_ / "pipe";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    // Held open both ways, so that a writer that did open it could not wait for ever.
    const int guard = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(guard, 0);
    std::error_code error;
    EXPECT_FALSE(WriteWholeFile(path, "not through", FileKinds::RegularOnly, error));
    EXPECT_EQ(error, NotRegularFileError());
    char byte = 0;
    EXPECT_EQ(::read(guard, &byte, 1), -1) << "nothing went into the pipe";
    ::close(guard);
    EXPECT_TRUE(test::IsFifo(path));
}

TEST_F(OutputFileTest, ATargetsTemporaryFilesOlderThanAnHourGoAtItsNextWrite) {
    const auto leave = [this](const char* name, std::chrono::minutes age) {
        std::ofstream(folder_ / name) << "left by a write that was killed";
        fs::last_write_time(folder_ / name, fs::file_time_type::clock::now() - age);
    };
    using std::chrono::minutes;
    leave(".song.kaz.0123abcd.tmp", minutes(61));
    leave(".song.kaz.89abcdef.tmp", minutes(10));    // a save that may still be going on
    leave(".other.kaz.0123abcd.tmp", minutes(120));  // another file's
    leave(".song.kaz.mine.tmp", minutes(120));       // not a name the program makes
    ASSERT_TRUE(WriteWholeFile(folder_ / "song.kaz", "C |"));
    EXPECT_FALSE(fs::exists(folder_ / ".song.kaz.0123abcd.tmp"));
    EXPECT_TRUE(fs::exists(folder_ / ".song.kaz.89abcdef.tmp"));
    EXPECT_TRUE(fs::exists(folder_ / ".other.kaz.0123abcd.tmp"));
    EXPECT_TRUE(fs::exists(folder_ / ".song.kaz.mine.tmp"));
}

TEST_F(OutputFileTest, FolderOrMissingFolderIsNotWritten) {
    EXPECT_FALSE(WriteWholeFile(folder_, "x"));
    EXPECT_FALSE(WriteWholeFile(folder_ / "missing" / "song.kaz", "x"));
    EXPECT_FALSE(WriteWholeFile("", "x"));
    EXPECT_EQ(Entries(), 0u);
}

}  // namespace
}  // namespace kaz
