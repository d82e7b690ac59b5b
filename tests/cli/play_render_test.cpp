#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <signal.h>

#include <chrono>
#include <fstream>

#include "device/sox_stats.h"

namespace kaz {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    double seconds = 0.0;
};

//! kaz-cli with the built-in synthesizer's audio going to a file, in real time, as on a machine with
//! speakers.
class PlayRenderTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    [[nodiscard]] std::string Path(const char* name) const { return folder.filePath(name).toStdString(); }

    void WriteChart(const char* name, const std::string& text) const { std::ofstream(Path(name)) << text; }

    CliResult RunCli(const QStringList& arguments, const QString& audioDriver = "file") {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("KAZ_AUDIO_DRIVER", audioDriver);
        environment.insert("KAZ_AUDIO_FILE", QString::fromStdString(Path("played.wav")));
        environment.insert("KAZ_SOUNDFONT", "/usr/share/sounds/sf2/TimGM6mb.sf2");
        QProcess process;
        process.setProcessEnvironment(environment);
        const auto start = std::chrono::steady_clock::now();
        process.start(QStringLiteral(KAZ_CLI), arguments);
        process.waitForFinished(120000);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString(),
                took.count()};
    }

    QTemporaryDir folder;
};

TEST_F(PlayRenderTest, DevicesListsTheBuiltInSynthesizerFirstAndNothingElseOnStandardError) {
    const CliResult run = RunCli({"devices"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.out, StartsWith("Built-in synthesizer\n"));
    EXPECT_EQ(run.err, "");
}

TEST_F(PlayRenderTest, PlayFollowsTheChartAndSoundsInRealTime) {
    WriteChart("short.kaz", "[TEMPO=300]\nC | Am F |\n");
    const CliResult run = RunCli({"play", QString::fromStdString(Path("short.kaz"))});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_THAT(run.out, HasSubstr("on Built-in synthesizer\n"
                                   "measure 1/2  C  300 bpm\n"
                                   "measure 2/2  Am  300 bpm\n"
                                   "measure 2/2  F  300 bpm\n"));
    EXPECT_GT(run.seconds, 1.6);  // eight beats at 300
    const std::optional<test::SoxStats> stats = test::ReadWithSox(Path("played.wav"));
    ASSERT_TRUE(stats.has_value());
    EXPECT_NEAR(stats->seconds, 1.6, 0.3);
    EXPECT_GT(stats->rms, 0.02);
}

TEST_F(PlayRenderTest, PlayPlaysAnExampleChartThroughTheBuiltInSynthesizer) {
    const CliResult run = RunCli({"play", KAZ_EXAMPLES "/eigene-akkorde.kaz"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("measure 8/8  Cadd9  100 bpm\n"));
    const std::optional<test::SoxStats> stats = test::ReadWithSox(Path("played.wav"));
    ASSERT_TRUE(stats.has_value());
    EXPECT_NEAR(stats->seconds, 19.2, 0.5);  // 32 beats at the chart's 100
    EXPECT_GT(stats->rms, 0.02);
}

TEST_F(PlayRenderTest, PlaySaysSoWhenNoOutputOpens) {
    if (RunCli({"devices"}).out != "Built-in synthesizer\n") {
        GTEST_SKIP() << "this machine has other MIDI outputs to fall back on";
    }
    WriteChart("short.kaz", "C |\n");
    const CliResult run = RunCli({"play", QString::fromStdString(Path("short.kaz"))}, "no-such-driver");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kaz-cli: Cannot open MIDI device!\n");
}

TEST_F(PlayRenderTest, PlayReportsAChartThatDoesNotCompileLikeEveryCommand) {
    WriteChart("bad.kaz", "C | Cadd13x |\n");
    const CliResult run = RunCli({"play", QString::fromStdString(Path("bad.kaz"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("bad.kaz:1:5: error: "));
}

TEST_F(PlayRenderTest, PlayWarnsOfAnUnknownDeviceAndFallsBack) {
    WriteChart("short.kaz", "[TEMPO=300]\nC |\n");
    const CliResult run = RunCli({"play", QString::fromStdString(Path("short.kaz")), "--device", "Nonesuch"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.err, HasSubstr("no MIDI output is called 'Nonesuch'"));
    EXPECT_THAT(run.out, HasSubstr("on Built-in synthesizer\n"));
}

TEST_F(PlayRenderTest, CtrlCStopsCleanly) {
    WriteChart("long.kaz", "[TEMPO=60]\nC | F | G | C |\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KAZ_AUDIO_DRIVER", "file");
    environment.insert("KAZ_AUDIO_FILE", QString::fromStdString(Path("played.wav")));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KAZ_CLI), {"play", QString::fromStdString(Path("long.kaz"))});
    ASSERT_TRUE(process.waitForReadyRead(10000));  // "Playing ..."
    process.waitForFinished(1000);
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 130);
    const std::optional<test::SoxStats> stats = test::ReadWithSox(Path("played.wav"));
    ASSERT_TRUE(stats.has_value());
    EXPECT_LT(stats->seconds, 4.0);
}

TEST_F(PlayRenderTest, RenderWritesTheSongAtItsTempoWithAReleaseTail) {
    const CliResult run =
        RunCli({"render", KAZ_EXAMPLES "/sunday-waltz.kaz", QString::fromStdString(Path("waltz.wav"))});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_LT(run.seconds, 10.0);  // far faster than the 19.2 s it lasts
    const std::optional<test::SoxStats> stats = test::ReadWithSox(Path("waltz.wav"));
    ASSERT_TRUE(stats.has_value());
    EXPECT_NEAR(stats->seconds, 48 * 60.0 / 150 + 1.0, 0.001);  // 48 beats at 150, then the tail
    EXPECT_GT(stats->rms, 0.02);
}

TEST_F(PlayRenderTest, RenderUsesTheTransportTempoWithoutATempoMark) {
    WriteChart("plain.kaz", "C | F |\n");
    const CliResult run = RunCli({"render", QString::fromStdString(Path("plain.kaz")),
                                  QString::fromStdString(Path("plain.wav")), "--tempo", "60"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::optional<test::SoxStats> stats = test::ReadWithSox(Path("plain.wav"));
    ASSERT_TRUE(stats.has_value());
    EXPECT_NEAR(stats->seconds, 9.0, 0.001);
}

TEST_F(PlayRenderTest, RenderIntoAMissingFolderIsAFileError) {
    WriteChart("plain.kaz", "C |\n");
    const CliResult run = RunCli({"render", QString::fromStdString(Path("plain.kaz")),
                                  QString::fromStdString(Path("missing/out.wav"))});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_THAT(run.err, StartsWith("kaz-cli: cannot write '"));
}

TEST_F(PlayRenderTest, RenderToADashWritesTheAudioToStandardOutput) {
    WriteChart("plain.kaz", "[TEMPO=240]\nC |\n");
    const CliResult run = RunCli({"render", QString::fromStdString(Path("plain.kaz")), "-"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 4), "RIFF");
    EXPECT_EQ(run.out.substr(8, 4), "WAVE");
    EXPECT_FALSE(std::filesystem::exists(Path("-")));
}

}  // namespace
}  // namespace kaz
