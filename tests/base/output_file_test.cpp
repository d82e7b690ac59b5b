#include "base/output_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/special_files.h"

namespace kaz {
namespace {

namespace fs = std::filesystem;

class OutputFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::path(::testing::TempDir()) /
                  ("kaz-out-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    [[nodiscard]] std::size_t Entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

std::string ReadText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

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

TEST_F(OutputFileTest, FolderOrMissingFolderIsNotWritten) {
    EXPECT_FALSE(WriteWholeFile(folder_, "x"));
    EXPECT_FALSE(WriteWholeFile(folder_ / "missing" / "song.kaz", "x"));
    EXPECT_FALSE(WriteWholeFile("", "x"));
    EXPECT_EQ(Entries(), 0u);
}

}  // namespace
}  // namespace kaz
