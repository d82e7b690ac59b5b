#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "cli/cli_runner.h"

namespace kaz {
namespace {

using test::RunCli;

const QString kEventCharts = QStringLiteral(KAZ_TEST_DATA "/events");

std::string ReadText(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

void WriteText(const QString& path, const std::string& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text.data(), static_cast<qint64>(text.size()));
}

TEST(KazCliEvents, ChartsListTheirPerformanceAsWorkedOutByHand) {
    struct Golden {
        const char* chart;
        QStringList options;
        const char* expected;
    };
    const Golden goldens[] = {
        {"one-chord.kaz", {}, "one-chord.events"},
        {"waltz-holds-repeat.kaz", {}, "waltz-holds-repeat.events"},
        // The chart's own tempo mark wins over the transport tempo.
        {"waltz-holds-repeat.kaz", {"--tempo", "200"}, "waltz-holds-repeat.events"},
        {"only-b.kaz", {}, "only-b.events"},
        {"only-b.kaz", {"--notation", "mixed"}, "only-b.events"},
        {"only-b.kaz",
         {"--notation", "german", "--tempo", "60", "--bass-program", "33", "--chords-volume", "90"},
         "only-b.german.events"},
        {"seven-strikes.kaz", {"--no-bass"}, "seven-strikes.no-bass.events"},
        {"everyday-add9.kaz", {}, "everyday-add9.events"},
        {"everyday-m7b5.kaz", {}, "everyday-m7b5.events"},
        {"everyday-ma7.kaz", {}, "everyday-ma7.events"},
        {"everyday-sus.kaz", {}, "everyday-sus.events"},
        // A form plays measures again: each played measure says which written one it is, and its pass.
        {"form-first-and-second-ending.kaz", {"--no-bass"}, "form-first-and-second-ending.no-bass.events"},
        // A repeat after one with endings is taken; a meter before a repeat sign opens no measure; form marks
        // in any case, a jump on a line of its own and sections named as musicians name them.
        {"form-repeat-after-endings.kaz", {"--no-bass"}, "form-repeat-after-endings.no-bass.events"},
        {"form-meter-then-repeat.kaz", {"--no-bass"}, "form-meter-then-repeat.no-bass.events"},
        {"form-jump-on-its-own-line.kaz", {"--no-bass"}, "form-jump-on-its-own-line.no-bass.events"},
        {"form-named-sections-and-marks-in-any-case.kaz",
         {"--no-bass"},
         "form-named-sections-and-marks-in-any-case.no-bass.events"},
    };
    for (const Golden& golden : goldens) {
        const auto run = RunCli(QStringList{"events", kEventCharts + "/" + golden.chart} + golden.options);
        SCOPED_TRACE(std::string(golden.chart) + " " + golden.options.join(' ').toStdString());
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, ReadText(kEventCharts + "/" + golden.expected));
    }
}

TEST(KazCliEvents, ChartThatDoesNotCompilePrintsTheDiagnosticOfCheckAndNoEvents) {
    for (const char* command : {"check", "events"}) {
        const auto run = RunCli({command, "-"}, "C | F\nG | Cadd8 |\n");
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_EQ(run.err, "-:2:5: error: Unknown chord: `Cadd8`\n") << command;
    }
}

TEST(KazCliEvents, ChartThatSoundsNoNoteFailsWithNothingToPlay) {
    const std::pair<std::string, QStringList> silent[] = {
        {"", {}},
        {"- | = |\n| |\n", {}},
        {"C | F\n", {"--no-chords", "--no-bass"}},
    };
    for (const auto& [chart, options] : silent) {
        const auto run = RunCli(QStringList{"events", "-"} + options, chart);
        EXPECT_EQ(run.exitCode, 1) << chart;
        EXPECT_EQ(run.out, "") << chart;
        EXPECT_EQ(run.err, "-: error: Nothing to play\n") << chart;
    }
}

TEST(KazCliEvents, BadOptionsAreUsageErrors) {
    for (const QStringList& options :
         {QStringList{"--tempo", "19"}, QStringList{"--tempo", "301"}, QStringList{"--chords-program", "128"},
          QStringList{"--bass-volume", "-1"}, QStringList{"--notation", "dutch"}, QStringList{"extra"}}) {
        const auto run = RunCli(QStringList{"events", "-"} + options, "C\n");
        EXPECT_EQ(run.exitCode, 2) << options.join(' ').toStdString();
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
}

TEST(KazCliEvents, BandOptionsSetHowTheStylePlays) {
    const std::string chart = "[4/4] C7 | F7 | C7 |\n";
    const QStringList swing{"events", "-", "--style", "Medium swing"};
    // Even eighths exactly on time: every drum of the first two measures falls on the eighths' grid (the roll
    // under the held last chord does not).
    const auto even = RunCli(swing + QStringList{"--swing", "50", "--human-feel", "0"}, chart);
    ASSERT_EQ(even.exitCode, 0) << even.err;
    std::istringstream lines(even.out);
    int drums = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        int time = 0;
        std::string kind;
        int channel = 0;
        if (words >> time >> kind >> channel && kind == "on" && channel == 9 && time < 2 * 1920) {
            ++drums;
            EXPECT_EQ(time % 240, 0) << line;
        }
    }
    EXPECT_GT(drums, 0);
    const auto silent = RunCli(swing + QStringList{"--drums-volume", "0"}, chart);
    EXPECT_EQ(silent.exitCode, 0);
    EXPECT_NE(silent.out.find(" on 1 "), std::string::npos);
    EXPECT_EQ(silent.out.find(" on 9 "), std::string::npos);
    // The defaults, named.
    EXPECT_EQ(
        RunCli(swing + QStringList{"--swing", "style", "--human-feel", "100", "--drums-volume", "100"}, chart)
            .out,
        RunCli(swing, chart).out);
}

TEST(KazCliEvents, BandOptionsOutOfRangeAreUsageErrorsThatSayWhatTheyTake) {
    const std::pair<QStringList, std::string> bad[] = {
        {{"--drums-volume", "201"},
         "kaz-cli: --drums-volume takes a whole number from 0 to 200, not '201'\n"},
        {{"--human-feel", "-1"}, "kaz-cli: --human-feel takes a whole number from 0 to 100, not '-1'\n"},
        {{"--swing", "49"}, "kaz-cli: --swing takes style or a whole number from 50 to 75, not '49'\n"},
        {{"--swing", "even"}, "kaz-cli: --swing takes style or a whole number from 50 to 75, not 'even'\n"},
    };
    for (const auto& [options, message] : bad) {
        const auto run = RunCli(QStringList{"events", "-"} + options, "C\n");
        EXPECT_EQ(run.exitCode, 2) << message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, message);
    }
}

class KazCliExport : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
    [[nodiscard]] QString Path(const QString& name) const { return folder_.filePath(name); }
    [[nodiscard]] QStringList Listing() const {
        return QDir(folder_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
    }

    QTemporaryDir folder_;
};

TEST_F(KazCliExport, WritesAFileThatBeginsWithTheHeaders) {
    const auto run = RunCli({"export", "-", Path("song.mid")}, "C | F G7 |\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    const std::string bytes = ReadText(Path("song.mid"));
    EXPECT_EQ(bytes.substr(0, 4), "MThd");
    EXPECT_EQ(bytes.substr(14, 4), "MTrk");
    EXPECT_EQ(Listing(), QStringList{"song.mid"});
}

TEST_F(KazCliExport, UnwritableTargetIsAFileErrorAndLeavesWhatWasThere) {
    const QString missing = Path("no such folder/song.mid");
    auto run = RunCli({"export", "-", missing}, "C\n");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Cannot open file `" + missing.toStdString() + "` for writing!"),
              std::string::npos)
        << run.err;

    ASSERT_TRUE(QDir(folder_.path()).mkdir("taken.mid"));
    WriteText(Path("taken.mid/keep"), "kept");
    run = RunCli({"export", "-", Path("taken.mid")}, "C\n");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(ReadText(Path("taken.mid/keep")), "kept");
    EXPECT_EQ(Listing(), QStringList{"taken.mid"});
}

TEST_F(KazCliExport, ChartThatFailsWritesNoFile) {
    WriteText(Path("old.mid"), "old");
    auto run = RunCli({"export", "-", Path("old.mid")}, "- | - |\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "-: error: Nothing to play\n");
    run = RunCli({"export", "-", Path("new.mid")}, "C | x\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "-:1:5: error: Unexpected symbol: `x`\n");
    EXPECT_EQ(ReadText(Path("old.mid")), "old");
    EXPECT_EQ(Listing(), QStringList{"old.mid"});
}

TEST_F(KazCliExport, NeedsTheChartAndTheFileToWrite) {
    const auto run = RunCli({"export", "-"}, "C\n");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(Listing().isEmpty());
}

//! The events listing as an independent MIDI reader sees the file: no highlights or measures, the time
//! signature's numerator in one byte and its denominator a power of two.
std::string AsWrittenInTheFile(const std::string& listing) {
    std::istringstream lines(listing);
    std::string result;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string time, kind;
        words >> time >> kind;
        if (kind == "highlight" || kind == "measure") {
            continue;
        }
        if (kind == "timesig") {
            int numerator = 0, denominator = 0;
            words >> numerator >> denominator;
            const int power = static_cast<int>(std::floor(std::log2(denominator)));
            line = time + " timesig " + std::to_string(numerator & 0xFF) + " " + std::to_string(1 << power);
        }
        result += line + "\n";
    }
    return result;
}

bool MidoAvailable() {
    return QProcess::execute("/usr/bin/python3", {"-c", "import mido"}) == 0;
}

TEST_F(KazCliExport, IndependentReaderFindsTheNotesTheEventsList) {
    if (!MidoAvailable()) {
        GTEST_SKIP() << "python3-mido is not installed";
    }
    QStringList charts;
    for (const QString& folder :
         {QStringLiteral(KAZ_EXAMPLES), kEventCharts, QStringLiteral(KAZ_TEST_DATA "/good")}) {
        for (const QString& name : QDir(folder).entryList({"*.kaz"}, QDir::Files, QDir::Name)) {
            charts << folder + "/" + name;
        }
    }
    ASSERT_GE(charts.size(), 10);
    int exported = 0;
    for (const QString& chart : charts) {
        SCOPED_TRACE(chart.toStdString());
        const auto events = RunCli({"events", chart});
        ASSERT_EQ(events.exitCode, 0) << events.err;
        const QString midi = Path(QFileInfo(chart).completeBaseName() + ".mid");
        const auto run = RunCli({"export", chart, midi});
        ASSERT_EQ(run.exitCode, 0) << run.err;

        QProcess reader;
        reader.start("/usr/bin/python3", {QStringLiteral(KAZ_TEST_DATA "/../cli/midi_dump.py"), midi});
        ASSERT_TRUE(reader.waitForFinished(60000));
        EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
        EXPECT_EQ(reader.readAllStandardOutput().toStdString(), AsWrittenInTheFile(events.out));
        ++exported;
    }
    EXPECT_EQ(exported, charts.size());
}

//! The largest absolute sample of a 16-bit PCM WAV file, or -1 when it is not one.
int PeakOfWave(const QString& path) {
    const std::string bytes = ReadText(path);
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return -1;
    }
    const auto little32 = [&bytes](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
    };
    std::size_t at = 12;
    while (at + 8 <= bytes.size() && bytes.substr(at, 4) != "data") {
        at += 8 + little32(at + 4);
    }
    if (at + 8 > bytes.size()) {
        return -1;
    }
    int peak = 0;
    for (std::size_t sample = at + 8; sample + 1 < bytes.size(); sample += 2) {
        const auto value = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[sample]) |
                                                     static_cast<unsigned char>(bytes[sample + 1]) << 8);
        peak = std::max(peak, std::abs(static_cast<int>(value)));
    }
    return peak;
}

TEST_F(KazCliExport, ExportedChartSoundsWhenASynthesizerPlaysIt) {
    const QString fluidsynth = QStandardPaths::findExecutable("fluidsynth");
    const QString soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    if (fluidsynth.isEmpty() || !QFileInfo::exists(soundFont)) {
        GTEST_SKIP() << "fluidsynth or the TimGM6mb sound font is not installed";
    }
    ASSERT_EQ(RunCli({"export", kEventCharts + "/waltz-holds-repeat.kaz", Path("waltz.mid")}).exitCode, 0);
    QProcess synth;
    synth.start(fluidsynth, {"-ni", "-q", "-g", "1", "-r", "22050", "-T", "wav", "-O", "s16", "-F",
                             Path("waltz.wav"), soundFont, Path("waltz.mid")});
    ASSERT_TRUE(synth.waitForFinished(120000));
    ASSERT_EQ(synth.exitCode(), 0) << synth.readAllStandardError().toStdString();
    // Clearly audible: far above the noise of silence, at a gain of 1.
    EXPECT_GT(PeakOfWave(Path("waltz.wav")), 1000);
}

}  // namespace
}  // namespace kaz
