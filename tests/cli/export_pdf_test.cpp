#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <string>

#include "cli/cli_runner.h"

namespace kaz {
namespace {

using test::RunCli;

//! The text of a PDF as a reader or a search finds it.
std::string PdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return process.readAllStandardOutput().toStdString();
}

TEST(KazCliExportPdf, WritesTheLeadSheetWithItsChordsAsTextForTheInstrument) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("part.pdf");
    const auto run =
        RunCli({"export-pdf", "-", pdf, "--instrument", "Eb"}, "# Waltz\n[3/4] Bb | Cm7 F7 | Bb\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string text = PdfText(pdf);
    for (const char* shown : {"Waltz", "E\u266D instrument", "Page 1 of 1", "G", "Am", "D"}) {
        EXPECT_NE(text.find(shown), std::string::npos) << shown << " in\n" << text;
    }
    EXPECT_EQ(text.find("Cm"), std::string::npos) << text;
}

TEST(KazCliExportPdf, RefusesABadChartOrInstrumentAndLeavesNoFile) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("part.pdf");
    auto run = RunCli({"export-pdf", "-", pdf}, "C | x\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "-:1:5: error: Unexpected symbol: `x`\n");
    run = RunCli({"export-pdf", "-", pdf, "--instrument", "tuba"}, "C\n");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--instrument takes concert, Bb, Eb, F"), std::string::npos) << run.err;
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(KazCliExportPdf, PrintsAChartThatNamesAStyle) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("bossa.pdf");
    const auto run = RunCli({"export-pdf", QStringLiteral(KAZ_EXAMPLES "/seaside-bossa.kaz"), pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(PdfText(pdf).find("Page 1"), std::string::npos);
}

TEST(KazCliExportPdf, TheChartsInstrumentLineIsTheDefaultAndTheOptionOverridesIt) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("part.pdf");
    const std::string chart = "# Alto Part\nC | F | G7 | C |\n#kaz:instrument=Eb\n";
    ASSERT_EQ(RunCli({"export-pdf", "-", pdf}, chart).exitCode, 0);
    std::string text = PdfText(pdf);
    EXPECT_NE(text.find("E\u266D instrument"), std::string::npos) << text;
    EXPECT_NE(text.find("E7"), std::string::npos) << text;  // G7 written a major sixth up
    EXPECT_EQ(text.find("G7"), std::string::npos) << text;
    ASSERT_EQ(RunCli({"export-pdf", "-", pdf, "--instrument", "concert"}, chart).exitCode, 0);
    text = PdfText(pdf);
    EXPECT_NE(text.find("Concert"), std::string::npos) << text;
    EXPECT_NE(text.find("G7"), std::string::npos) << text;
    EXPECT_EQ(text.find("E7"), std::string::npos) << text;
}

TEST(KazCliExportPdf, WritesToStandardOutput) {
    const auto run = RunCli({"export-pdf", "-", "-"}, "C | G7\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 5), "%PDF-");
}

TEST(KazCliExportPdf, CapoShapesAndNumbers) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("capo.pdf");
    const std::string chart = "# Sailing\nA | E/G# | F#m | D | E7 | A\n#kaz:capo=2\n";
    auto run = RunCli({"export-pdf", "-", pdf}, chart);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string text = PdfText(pdf);
    for (const char* shown : {"Capo 2", "G", "D/F\u266F", "Em", "C", "D7"}) {
        EXPECT_NE(text.find(shown), std::string::npos) << shown << " in\n" << text;
    }
    run = RunCli({"export-pdf", "-", pdf, "--capo", "0", "--numbers", "nashville"}, chart);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    text = PdfText(pdf);
    EXPECT_EQ(text.find("Capo"), std::string::npos) << text;
    EXPECT_NE(text.find("5/7"), std::string::npos) << text;
    EXPECT_NE(text.find("6m"), std::string::npos) << text;
    run = RunCli({"export-pdf", "-", pdf, "--capo", "12"}, chart);
    EXPECT_EQ(run.exitCode, 2);
    run = RunCli({"export-pdf", "-", pdf, "--numbers", "arabic"}, chart);
    EXPECT_EQ(run.exitCode, 2);
}

//! The number of pages of a PDF, as pdfinfo counts them.
int PdfPages(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    process.waitForFinished(30000);
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
    return at < 0 ? 0 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

TEST(KazCliExportPdf, DiagramsStandOverTheChordsAndTakeTheirRoom) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("diagrams.pdf");
    std::string chart = "# Eight rows\n";
    for (int row = 0; row < 8; ++row) {
        chart += "C | Am7 | F | G7\n";
    }
    auto run = RunCli({"export-pdf", "-", pdf}, chart);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(PdfPages(pdf), 1);
    run = RunCli({"export-pdf", "-", pdf, "--diagrams", "guitar"}, chart);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_GE(PdfPages(pdf), 2);
    EXPECT_NE(PdfText(pdf).find("Am7"), std::string::npos);
    run = RunCli({"export-pdf", "-", pdf, "--diagrams", "banjo"}, chart);
    EXPECT_EQ(run.exitCode, 2);
}

TEST(KazCliExportPdf, ASetListPrintsItsSongsInOrderAfterAContentsPage) {
    QTemporaryDir folder;
    const auto write = [&folder](const QString& name, const QByteArray& text) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write("harbour.kaz", "# Harbour Road\nA | E/G# | F#m | D |\n");
    write("blues.kaz", "# Slow Blues\nF7 | Bb7 | F7 | C7 |\n");
    write("waltz.kaz", "# Sunday Waltz\n[3/4] C | G7 | C |\n");
    write("friday.kazset",
          "# Friday at the Harbour\nharbour.kaz\nblues.kaz [KEY=G] [TEMPO=132]\n"
          "gone.kaz\nwaltz.kaz\n");
    const QString pdf = folder.filePath("friday.pdf");
    const auto run = RunCli({"export-pdf", folder.filePath("friday.kazset"), pdf});
    // A song that cannot be printed is named and the status says so; the others are printed.
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("left out of the set: " + folder.filePath("gone.kaz").toStdString()),
              std::string::npos)
        << run.err;
    EXPECT_EQ(PdfPages(pdf), 4);
    // A list of nothing printable writes nothing.
    write("empty.kazset", "# Nothing tonight\ngone.kaz\n");
    const QString none = folder.filePath("none.pdf");
    EXPECT_EQ(RunCli({"export-pdf", folder.filePath("empty.kazset"), none}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(none));
    const std::string text = PdfText(pdf);
    std::size_t at = text.find("Friday at the Harbour");
    for (const char* shown : {"Harbour Road", "Slow Blues", "Sunday Waltz", "Harbour Road", "Slow Blues",
                              "132", "Key of G", "G7", "Sunday Waltz"}) {
        at = text.find(shown, at);
        EXPECT_NE(at, std::string::npos) << shown << " in order in\n" << text;
    }
}

}  // namespace
}  // namespace kaz
