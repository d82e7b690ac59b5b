// kaz-cli reading and writing what is not a regular file: standard input and output, FIFOs, devices, and a
// link to its own standard output. None of these is ever replaced by a file.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/cli_runner.h"
#include "support/device_nodes.h"

namespace kaz {
namespace {

namespace fs = std::filesystem;
using test::RunCli;

constexpr const char* kChart = "[TEMPO=90]\nC | Am7 F/A | G7 |\n";

std::string ReadText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

ino_t Inode(const fs::path& path) {
    struct stat file {};
    ::stat(path.c_str(), &file);
    return file.st_ino;
}

class KazCliSpecialFiles : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
    [[nodiscard]] fs::path Path(const char* name) const { return folder_.filePath(name).toStdString(); }
    [[nodiscard]] static QString Arg(const fs::path& path) { return QString::fromStdString(path.string()); }

    //! The file an export to a regular file writes.
    std::string ExportedBytes() {
        EXPECT_EQ(RunCli({"export", "-", Arg(Path("reference.mid"))}, kChart).exitCode, 0);
        return ReadText(Path("reference.mid"));
    }

    QTemporaryDir folder_;
};

TEST_F(KazCliSpecialFiles, DashExportsToStandardOutput) {
    const auto run = RunCli({"export", "-", "-"}, kChart);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, ExportedBytes());
}

TEST_F(KazCliSpecialFiles, ExportOntoAFifoWritesThroughIt) {
    const fs::path fifo = Path("pipe.mid");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto received = test::ReadFifo(fifo);
    const auto run = RunCli({"export", "-", Arg(fifo)}, kChart);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(received.get(), ExportedBytes());
    EXPECT_TRUE(test::IsFifo(fifo));
}

TEST_F(KazCliSpecialFiles, ChartIsReadFromAFifo) {
    const fs::path fifo = Path("pipe.kaz");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto fed = test::FeedFifo(fifo, "C | x\n");
    const auto run = RunCli({"check", Arg(fifo)});
    fed.get();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, fifo.string() + ":1:5: error: Unexpected symbol: `x`\n");
}

TEST_F(KazCliSpecialFiles, DevicesAreWrittenInPlaceAndAFullOneIsAFileError) {
    const fs::path null = Path("null");
    const fs::path full = Path("full");
    if (!test::MakeCharacterDevice(null, 1, 3) || !test::MakeCharacterDevice(full, 1, 7)) {
        GTEST_SKIP() << "this process may not make device nodes";
    }
    EXPECT_EQ(RunCli({"export", "-", Arg(null)}, kChart).exitCode, 0);
    const auto run = RunCli({"export", "-", Arg(full)}, kChart);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err,
              "kaz-cli: Cannot open file `" + full.string() + "` for writing! No space left on device\n");
    EXPECT_TRUE(test::IsCharacterDevice(null));
    EXPECT_TRUE(test::IsCharacterDevice(full));
}

TEST_F(KazCliSpecialFiles, EndlessDeviceAsAChartEndsWithAnError) {
    const fs::path zero = Path("zero");
    if (!test::MakeCharacterDevice(zero, 1, 5)) {
        GTEST_SKIP() << "this process may not make device nodes";
    }
    const auto run = RunCli({"check", Arg(zero)});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kaz-cli: '" + zero.string() +
                           "' is too large to be a chart: Kaz reads charts of up to 16 MiB\n");
}

TEST_F(KazCliSpecialFiles, ChartFileOverTheLimitIsRefusedWithoutReadingIt) {
    const fs::path huge = Path("huge.kaz");
    std::ofstream{huge};
    fs::resize_file(huge, std::uintmax_t{1} << 31);  // sparse: nothing to read, only its size
    const auto run = RunCli({"check", Arg(huge)});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kaz-cli: '" + huge.string() +
                           "' is too large to be a chart: Kaz reads charts of up to 16 MiB\n");
}

TEST_F(KazCliSpecialFiles, LinkToStandardOutputWritesThereAndReplacesNothing) {
    // Standard output is a log file opened for appending: replacing it would lose what it held.
    const fs::path log = Path("log");
    std::ofstream(log) << "before\n";
    const fs::path link = Path("out.mid");
    fs::create_symlink("/proc/self/fd/1", link);
    const ino_t inode = Inode(log);
    QProcess process;
    process.setStandardOutputFile(Arg(log), QIODevice::Append);
    process.start(QStringLiteral(KAZ_CLI), {"export", "-", Arg(link)});
    process.write(kChart);
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(ReadText(log), "before\n" + ExportedBytes());
    EXPECT_EQ(Inode(log), inode);
    EXPECT_TRUE(fs::is_symlink(link));
}

}  // namespace
}  // namespace kaz
