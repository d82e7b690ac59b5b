#include <gtest/gtest.h>

#include <QFile>

#include "cli/cli_runner.h"

namespace kaz {
namespace {

using test::RunCli;

std::string ReadBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

TEST(KazCliTranspose, MovesChordsWithTheChosenSpellingsAndPrintsTheRestByteForByte) {
    const std::string chart =
        "# Song in C \xc3\xa9t\xe9\r\n"
        "[CHORD my = 0 3 7]\r\n"
        "[TEMPO=96]\r\n"
        "| [3/4] C  Am7\tF/A | G7 - / = | %% |\r\n"
        "C#my Eb/Bb || *";
    const auto run = RunCli({"transpose", "-", "--shift", "2", "--spell", "Db,Gb"}, chart);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "# Song in C \xc3\xa9t\xe9\r\n"
              "[CHORD my = 0 3 7]\r\n"
              "[TEMPO=96]\r\n"
              "| [3/4] D  Bm7\tG/B | A7 - / = | %% |\r\n"
              "Ebmy F/C || *");
    EXPECT_EQ(RunCli({"transpose", "-", "--shift", "1", "--spell", "Db,Gb"}, "C | F | Db/F").out,
              "Db | Gb | D/Gb");
}

TEST(KazCliTranspose, TakesNegativeShiftsAndRespellsAtZero) {
    EXPECT_EQ(RunCli({"transpose", "-", "--shift", "-1"}, "Ebm7").out, "Dm7");
    EXPECT_EQ(RunCli({"transpose", "-", "--shift=-5"}, "C G/B").out, "G D/F#");
    EXPECT_EQ(RunCli({"transpose", "-", "--shift", "+6"}, "C").out, "F#");
    EXPECT_EQ(RunCli({"transpose", "-", "--shift", "0"}, "D#m | Db | A#").out, "Ebm | C# | Bb");
    EXPECT_EQ(
        RunCli({"transpose", "-", "--shift", "0", "--spell", "D#", "--spell", "Db , A#"}, "D#m | C# | Bb")
            .out,
        "D#m | Db | A#");
}

TEST(KazCliTranspose, WritesBTheWayTheChartsNotationDoes) {
    // "H" makes a chart German whatever the setting; --spell names stay English.
    EXPECT_EQ(RunCli({"transpose", "-", "--shift", "1"}, "A | B | H").out, "B | H | C");
    EXPECT_EQ(RunCli({"transpose", "-", "--shift", "1", "--spell", "A#"}, "A | B | H").out, "A# | H | C");
    // A lone "B" follows --notation.
    EXPECT_EQ(RunCli({"transpose", "-", "--shift", "2", "--notation", "german"}, "F | B").out, "G | C");
    EXPECT_EQ(RunCli({"transpose", "-", "--shift", "2"}, "F | B").out, "G | C#");
}

TEST(KazCliTranspose, ExamplesGoUpAndBackUnchangedUnderTheirNotation) {
    for (const auto& [example, notation] :
         {std::pair{"abendlied.kaz", "german"}, std::pair{"blues-in-f.kaz", "english"},
          std::pair{"autumn-evening.kaz", "english"}}) {
        const std::string original = ReadBytes(QStringLiteral(KAZ_EXAMPLES "/") + example);
        for (int shift = -5; shift <= 6; ++shift) {
            const QStringList options{"--notation", notation};
            const auto up =
                RunCli(QStringList{"transpose", "-", "--shift", QString::number(shift)} + options, original);
            ASSERT_EQ(up.exitCode, 0) << up.err;
            const int back = shift == 6 ? 6 : -shift;
            EXPECT_EQ(
                RunCli(QStringList{"transpose", "-", "--shift", QString::number(back)} + options, up.out).out,
                original)
                << example << " shifted " << shift << ":\n"
                << up.out;
        }
    }
}

TEST(KazCliTranspose, ChartThatDoesNotCompileGetsTheDiagnosticOfCheck) {
    const std::string chart = "C | F\nG | Cadd8 |\n";
    const auto run = RunCli({"transpose", "-", "--shift", "2"}, chart);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, RunCli({"check", "-"}, chart).err);
    EXPECT_EQ(run.err, "-:2:5: error: Unknown chord: `Cadd8`\n");
    EXPECT_EQ(RunCli({"transpose", "-", "--shift", "2"}, "- | =").err, "-: error: Nothing to play\n");
}

TEST(KazCliTranspose, BadShiftOrSpellingIsAUsageError) {
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{}, "kaz-cli: transpose needs --shift N, a number of semitones from -5 to 6, or --to-key KEY\n"},
        {{"--to-key", "X"}, "kaz-cli: --to-key takes a key such as E, Eb, F#m or Fis, not 'X'\n"},
        {{"--shift", "1", "--to-key", "E"}, "kaz-cli: transpose takes --shift or --to-key, not both\n"},
        {{"--shift", "7"}, "kaz-cli: --shift takes a whole number from -5 to 6, not '7'\n"},
        {{"--shift", "-6"}, "kaz-cli: --shift takes a whole number from -5 to 6, not '-6'\n"},
        {{"--shift", "2.5"}, "kaz-cli: --shift takes a whole number from -5 to 6, not '2.5'\n"},
        {{"--shift", "1", "--spell", "H"},
         "kaz-cli: --spell takes names among C#, Db, D#, Eb, F#, Gb, G#, Ab, A#, Bb, separated by commas, "
         "not "
         "'H'\n"},
        {{"--shift", "1", "--spell", "db"},
         "kaz-cli: --spell takes names among C#, Db, D#, Eb, F#, Gb, G#, Ab, A#, Bb, separated by commas, "
         "not "
         "'db'\n"},
        {{"--shift", "1", "--spell", "C#,,Eb"},
         "kaz-cli: --spell takes names among C#, Db, D#, Eb, F#, Gb, G#, Ab, A#, Bb, separated by commas, "
         "not "
         "''\n"},
        {{"--shift", "1", "--spell", "Eb,Gb,D#"}, "kaz-cli: --spell names both Eb and D#; choose one\n"},
    };
    for (const auto& usage : cases) {
        const auto run = RunCli(QStringList{"transpose", "-"} + usage.arguments, "C | F");
        EXPECT_EQ(run.exitCode, 2) << usage.message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, usage.message);
    }
}

}  // namespace
}  // namespace kaz
