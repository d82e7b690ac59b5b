#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>

#include "cli/cli_runner.h"

namespace kaz {
namespace {

using test::RunCli;
using ::testing::HasSubstr;
using ::testing::Not;

TEST(KazCliStyles, ReadsOnlyStyleFilesOfTheirOwnAndEscapesWhatTheyHold) {
    QTemporaryDir data;
    const std::string styles = data.filePath("kaz/styles").toStdString();
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(styles)));
    ASSERT_EQ(::mkfifo((styles + "/stuck.style").c_str(), 0600), 0);
    std::ofstream(data.filePath("private.txt").toStdString()) << "private-first-line\n";
    ASSERT_EQ(
        ::symlink(data.filePath("private.txt").toStdString().c_str(), (styles + "/linked.style").c_str()), 0);
    std::ofstream(styles + "/loud.style") << "name Loud\x1b[31mRed\nchords piano\nbass acoustic-bass\n"
                                          << "meter 4/4\ncomp x . x .\n";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", data.path());

    const test::CliRun run = RunCli({"styles"}, {}, environment);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.out, HasSubstr("\nLoud\\x1b[31mRed\n"));
    EXPECT_THAT(run.err, HasSubstr("stuck.style: not a regular file"));
    EXPECT_THAT(run.err, HasSubstr("linked.style: not a regular file"));
    EXPECT_THAT(run.err, Not(HasSubstr("private-first-line")));
    // A chart that names a style is not held up by the FIFO either.
    EXPECT_EQ(RunCli({"check", "-"}, "[STYLE=Bossa nova]\nDm7 | G7 |\n", environment).exitCode, 0);
}

TEST(KazCliStyles, ListsTheStylesWithAPatternOfTheirOwnForAMeter) {
    EXPECT_EQ(RunCli({"styles", "--meter", "12/8"}).out, "Afro 6/8\nFolk 6/8\n12/8 ballad\n12/8 blues\n");
    EXPECT_EQ(RunCli({"styles", "--meter", "6/8"}).out, "Afro 6/8\nFolk 6/8\nSlow 6/8\n12/8 ballad\n");
    const test::CliRun wrong = RunCli({"styles", "--meter", "six-eight"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_THAT(wrong.err, HasSubstr("--meter takes a meter such as 6/8, not 'six-eight'"));
}

}  // namespace
}  // namespace kaz
