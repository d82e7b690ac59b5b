#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>
#include <fstream>

#include "cli/cli_runner.h"
#include "interchange/link_text.h"
#include "support/folder_test.h"

namespace kaz {
namespace {

using test::RunCli;

class InterchangeCommands : public test::FolderTest {
  protected:
    std::filesystem::path Write(const std::string& name, const std::string& text) {
        const std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static QString Q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }
};

TEST_F(InterchangeCommands, ImportWritesOneChartASongInsideTheFolderOnly) {
    const std::string playlist = test::LinkForTest(
        test::SongForTest("../../x", "[C XyQZ") + "===" + test::SongForTest("Second", "[D XyQZ") + "===List");
    const auto page = Write("list.html", "<a href=\"" + playlist + "\">List</a>");
    const std::filesystem::path into = folder_ / "charts" / "new";
    std::filesystem::create_directories(folder_ / "charts");
    const test::CliRun run = RunCli({"import", Q(page), "--into", Q(into)});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, (into / "x.kaz").string() + "\n" + (into / "Second.kaz").string() + "\n");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "x.kaz"));
    EXPECT_EQ(test::ReadText(into / "Second.kaz").substr(0, 9), "# Second\n");

    std::ofstream(into / "Second.kaz") << "mine";
    const test::CliRun again = RunCli({"import", Q(page), "--into", Q(into)});
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_NE(again.err.find("Second.kaz exists and is kept; --force replaces it"), std::string::npos)
        << again.err;
    EXPECT_EQ(test::ReadText(into / "Second.kaz"), "mine");
    EXPECT_EQ(RunCli({"import", Q(page), "--into", Q(into), "--force"}).exitCode, 0);
    EXPECT_NE(test::ReadText(into / "Second.kaz"), "mine");
}

TEST_F(InterchangeCommands, ImportPrintsASingleSongAndRefusesBadInput) {
    const test::CliRun one = RunCli({"import", "-"}, test::LinkForTest(test::SongForTest("Solo", "[C XyQZ")));
    ASSERT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.out.substr(0, 7), "# Solo\n");
    const test::CliRun bad = RunCli({"import", "-"}, "irealb://Title%3DComposer");
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err, "-: error: no song could be read: song 1 is cut short\n");
}

TEST_F(InterchangeCommands, ALongChartRoundTripsThroughMusicXmlOrIsRefusedWithTheLimit) {
    std::string chart = "# Long\n";
    for (int line = 0; line < 500; ++line) {
        chart += "Dm7 | G7 | Cmaj7 | A7b9 |\n";
    }
    const auto path = Write("long.kaz", chart);
    ASSERT_EQ(RunCli({"export-musicxml", Q(path), Q(folder_ / "long.musicxml")}).exitCode, 0);
    const test::CliRun back = RunCli({"import", Q(folder_ / "long.musicxml")});
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(back.out, chart);

    const auto huge = folder_ / "huge.musicxml";
    std::ofstream{huge};
    std::filesystem::resize_file(huge, std::uintmax_t{65} << 20);
    EXPECT_EQ(RunCli({"import", Q(huge)}).err,
              "kaz-cli: '" + huge.string() + "' is too large: Kaz reads files of up to 64 MiB here\n");
}

TEST_F(InterchangeCommands, ExportsReadBackAndTheMusicXmlIsWellFormed) {
    const std::string chart =
        "# Exported\n[TEMPO=150]\nCmaj7 | Am7 D7 | G7 = = Dm7 | % |\n[3/4] Em7 A7 Dm7 |\n";
    const auto path = Write("song.kaz", chart);
    ASSERT_EQ(RunCli({"export-ireal", Q(path), Q(folder_ / "song.html")}).exitCode, 0);
    const test::CliRun back = RunCli({"import", Q(folder_ / "song.html")});
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(back.out, chart);

    const test::CliRun xml = RunCli({"export-musicxml", Q(path)});
    ASSERT_EQ(xml.exitCode, 0) << xml.err;
    const auto written = Write("song.musicxml", xml.out);
    QProcess lint;
    lint.start("xmllint", {"--noout", "--nonet", Q(written)});
    ASSERT_TRUE(lint.waitForFinished(30000));
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
    EXPECT_EQ(RunCli({"import", Q(written)}).out, chart);

    EXPECT_EQ(RunCli({"export-ireal", "-"}, "C | Cxyz |").exitCode, 1);
}

TEST_F(InterchangeCommands, ExportWarnsOfWhatTheLinkCannotWrite) {
    const test::CliRun run = RunCli({"export-ireal", "-"}, "[CHORD wide = 0 7 16]\nCwide | D7-9 |\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err,
              "-: warning: not exported: the chart's own chord shape of Cwide, written as C\n"
              "-: warning: iReal Pro cannot write the chord D7-9, written as D7b9\n");
    EXPECT_NE(run.out.find("irealb://"), std::string::npos);
}

TEST_F(InterchangeCommands, ExportChordProWritesTheSongAndWarnsOfTheForm) {
    const test::CliRun run = RunCli({"export-chordpro", "-"}, "# Row Home\n>[G]Row a[D]way\n|: C :| x3\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "{title: Row Home}\n\n[G]Row a[D]way\n{start_of_grid}\n|: C :|\n{end_of_grid}\n");
    EXPECT_EQ(run.err, "-: warning: ChordPro cannot write the repeat played 3 times in measure 3\n");
}

TEST_F(InterchangeCommands, AChartWithAStyleIsExportedWithIt) {
    const test::CliRun run = RunCli({"export-ireal", "-"}, "[STYLE=Bossa nova]\nDm7 | G7 |\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Bossa%20Nova"), std::string::npos) << run.out;
}

TEST_F(InterchangeCommands, AWindows1252ChartKeepsItsLettersInEveryExport) {
    const auto chart = Write("gruss.kaz", "# Gr\xFC\xDF Gott \x96 Choral\nF | C7 | F |\n");
    const test::CliRun xml = RunCli({"export-musicxml", Q(chart)});
    ASSERT_EQ(xml.exitCode, 0) << xml.err;
    EXPECT_NE(xml.out.find("<work-title>Gr\xC3\xBC\xC3\x9F Gott \xE2\x80\x93 Choral</work-title>"),
              std::string::npos)
        << xml.out;
    const auto page = Write("gruss.html", RunCli({"export-ireal", Q(chart)}).out);
    EXPECT_EQ(RunCli({"import", Q(page)}).out.substr(0, 25),
              "# Gr\xC3\xBC\xC3\x9F Gott \xE2\x80\x93 Choral\n");
    const test::CliRun pdf = RunCli({"export-pdf", Q(chart), "-"});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err;
    QProcess text;
    text.start("pdftotext", {"-", "-"});
    text.write(pdf.out.data(), static_cast<qint64>(pdf.out.size()));
    text.closeWriteChannel();
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_TRUE(text.readAllStandardOutput().contains("Gr\xC3\xBC\xC3\x9F Gott"));
}

TEST_F(InterchangeCommands, AGermanChartKeepsItsBFlatsInTheExports) {
    // A chart that spells only B reads as German with --notation german; one with H and B is German by
    // itself.
    const std::string bFlat = "<root-step>B</root-step>\n          <root-alter>-1</root-alter>";
    for (const auto& [chart, options] : {std::pair{"F | B | C7 | F |\n", QStringList{"--notation", "german"}},
                                         std::pair{"F | B | H7 | C |\n", QStringList{}}}) {
        const test::CliRun xml = RunCli(QStringList{"export-musicxml", "-"} + options, chart);
        ASSERT_EQ(xml.exitCode, 0) << xml.err;
        EXPECT_NE(xml.out.find(bFlat), std::string::npos) << chart;
        const auto page = Write("german.html", RunCli(QStringList{"export-ireal", "-"} + options, chart).out);
        EXPECT_NE(RunCli({"import", Q(page)}).out.find("F | Bb |"), std::string::npos) << chart;
    }
}

TEST_F(InterchangeCommands, AnImportWritesTheSongsThatOpenAndNamesTheOneThatWouldNot) {
    // A title longer than a chart's line may be, as a hostile or broken link gives it.
    const std::string playlist = test::LinkForTest(test::SongForTest("Before", "[C XyQZ") + "===" +
                                                   test::SongForTest(std::string(3100, 'L'), "[D XyQZ") +
                                                   "===" + test::SongForTest("After", "[E XyQZ") + "===List");
    const auto page = Write("list.html", "<a href=\"" + playlist + "\">List</a>");
    const test::CliRun run = RunCli({"import", Q(page), "--into", Q(folder_ / "charts")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err,
              page.string() + ": warning: \"" + std::string(60, 'L') +
                  "\u2026\" has a line of 3102 characters, and a chart's lines hold at most 3000; left "
                  "out\n");
    EXPECT_EQ(run.out, (folder_ / "charts" / "Before.kaz").string() + "\n" +
                           (folder_ / "charts" / "After.kaz").string() + "\n");
    // A single song that would not open is refused with its reason, and nothing is printed.
    const test::CliRun single =
        RunCli({"import", "-"}, test::LinkForTest(test::SongForTest(std::string(3100, 'L'), "[D XyQZ")));
    EXPECT_EQ(single.exitCode, 1);
    EXPECT_EQ(single.out, "");
}

}  // namespace
}  // namespace kaz
