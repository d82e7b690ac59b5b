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
    EXPECT_EQ(run.err, "-:1: error: Unexpected symbol: `x`\n");
    run = RunCli({"export-pdf", "-", pdf, "--instrument", "tuba"}, "C\n");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--instrument takes concert, Bb, Eb, F"), std::string::npos) << run.err;
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(KazCliExportPdf, WritesToStandardOutput) {
    const auto run = RunCli({"export-pdf", "-", "-"}, "C | G7\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace kaz
