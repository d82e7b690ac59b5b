#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "cli/cli_runner.h"

namespace kaz {
namespace {

using test::RunCli;

QStringList Charts(const QString& folder) {
    QStringList paths;
    for (const QString& name : QDir(folder).entryList({"*.kaz"}, QDir::Files, QDir::Name)) {
        paths << folder + "/" + name;
    }
    return paths;
}

QJsonDocument ReadJson(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QJsonDocument::fromJson(file.readAll());
}

TEST(KazCliCheck, EveryBadChartGetsItsOneMessageLineAndSelection) {
    const QStringList charts = Charts(KAZ_TEST_DATA "/bad");
    ASSERT_GT(charts.size(), 30);
    for (const QString& chart : charts) {
        const auto run = RunCli({"check", chart, "--json"});
        EXPECT_EQ(run.exitCode, 1) << chart.toStdString();
        const QString expected = chart.chopped(4) + ".json";
        QJsonObject report = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
        // A language error's column is its selection's start counted in characters from its line's start.
        if (report.contains("start")) {
            QFile file(chart);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray before = file.readAll().left(report["start"].toInt());
            const QString line = QString::fromUtf8(before.mid(before.lastIndexOf('\n') + 1));
            EXPECT_EQ(report.take("column").toInt(), line.toUcs4().size() + 1) << chart.toStdString();
        }
        EXPECT_EQ(QJsonDocument(report), ReadJson(expected)) << chart.toStdString() << "\n" << run.out;
        EXPECT_EQ(run.out.back(), '\n');
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << "one line of JSON";
    }
}

TEST(KazCliCheck, GoodChartsAndTheExamplesAreValid) {
    const QStringList charts = Charts(KAZ_TEST_DATA "/good") + Charts(KAZ_EXAMPLES);
    ASSERT_GT(charts.size(), 20);
    for (const QString& chart : charts) {
        const auto run = RunCli({"check", chart, "--json"});
        EXPECT_EQ(run.exitCode, 0) << chart.toStdString() << run.out;
        // A chart with a form also gives its measures as written and as played.
        EXPECT_TRUE(run.out.ends_with("\"ok\":true}\n")) << chart.toStdString() << run.out;
    }
}

TEST(KazCliCheck, LanguageErrorIsReportedLikeACompilerDoes) {
    const auto run = RunCli({"check", "-"}, "C | F\nG | Cadd8 |\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "-:2:5: error: Unknown chord: `Cadd8`\n");
}

TEST(KazCliCheck, ChartThatSoundsNoNoteSaysSo) {
    const auto run = RunCli({"check", "-"}, "- | = |\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "-: error: Nothing to play\n");
    EXPECT_EQ(RunCli({"check", "-", "--no-chords", "--no-bass"}, "C | F").err, "-: error: Nothing to play\n");
    EXPECT_EQ(RunCli({"check", "-", "--no-chords"}, "C | F").exitCode, 0);
}

TEST(KazCliCheck, ValidChartSaysNothingAndSucceeds) {
    const auto run = RunCli({"check", "-"}, "C | F | G7 | C\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST(KazCliCheck, AFormSaysHowManyMeasuresItWritesAndPlays) {
    EXPECT_EQ(RunCli({"check", "-", "--json"}, "|: C | D :| E\n").out,
              "{\"measures_played\":5,\"measures_written\":3,\"ok\":true}\n");
    EXPECT_EQ(RunCli({"check", "-", "--json"}, "[A] C | D [FINE] |\n").out, "{\"ok\":true}\n");
}

TEST(KazCliCheck, HintsAreWarningsThatLeaveTheChartValid) {
    const auto run = RunCli({"check", "-"}, "C | F-7\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(
        run.err,
        "-:1:5: warning: Plays F with a lowered seventh (the sixth); for F minor seventh write Fm7: `F-7`\n");
    EXPECT_EQ(RunCli({"check", "-", "--json"}, "C | F-7\n").out, "{\"ok\":true}\n");
}

TEST(KazCliCheck, NotationOptionDecidesWhatALoneBMeans) {
    for (const char* notation : {"english", "german", "mixed"}) {
        EXPECT_EQ(RunCli({"check", "-", "--notation", notation}, "B | E").exitCode, 0) << notation;
    }
}

TEST(KazCliCheck, UsageAndFileErrorsExitWithTwo) {
    const std::vector<QStringList> usages = {
        {"check"},
        {"check", "a.kaz", "b.kaz"},
        {"check", "-", "--tempo", "19"},
        {"check", "-", "--tempo", "301"},
        {"check", "-", "--tempo", "fast"},
        {"check", "-", "--notation", "dutch"},
        {"check", "-", "--chords-program", "128"},
        {"check", "-", "--bass-volume", "-1"},
        {"check", "-", "--bogus"},
        {"check", KAZ_TEST_DATA "/no-such-chart.kaz"},
        {"check", KAZ_TEST_DATA},
        {"frobnicate"},
        {},
    };
    for (const QStringList& arguments : usages) {
        const auto run = RunCli(arguments, "C");
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.starts_with("kaz-cli: ") || run.err.starts_with("Usage: "))
            << arguments.join(' ').toStdString() << ": " << run.err;
    }
    EXPECT_EQ(RunCli({"check", "-", "--tempo", "20", "--chords-volume", "0"}, "C").exitCode, 0);
}

TEST(KazCliCheck, HelpBesideAUsageErrorStillFails) {
    for (const QStringList& arguments : {QStringList{"check", "--bogus", "--help"},
                                         QStringList{"check", "-h=1"}, QStringList{"devices", "-hx"}}) {
        const auto run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, "") << arguments.join(' ').toStdString();
    }
}

TEST(KazCliCheck, AnOptionTakesItsValueAsWritten) {
    EXPECT_EQ(RunCli({"check", "-", "--tempo="}, "C").err,
              "kaz-cli: --tempo takes a whole number from 20 to 300, not ''\n");
    EXPECT_EQ(RunCli({"check", "-", "--tempo", "--json"}, "C").err,
              "kaz-cli: --tempo takes a whole number from 20 to 300, not '--json'\n");
    EXPECT_EQ(RunCli({"check", "-", "-tempo", "90"}, "C").exitCode, 0);
}

TEST(KazCliCheck, HugeInputsGetTheirAnswer) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("huge.kaz");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // As many lines as the largest chart holds.
        const QByteArray block(1 << 20, '\n');
        for (int i = 0; i < 15; ++i) {
            file.write(block);
        }
        file.write("C | x");
    }
    const auto huge = RunCli({"check", path, "--json"});
    EXPECT_EQ(huge.exitCode, 1);
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(huge.out))["line"].toInt(),
              15 * (1 << 20) + 1);

    const std::string longLine = "C" + std::string(1 << 20, ' ') + "| D";
    EXPECT_EQ(RunCli({"check", "-"}, longLine).exitCode, 0);
    EXPECT_EQ(RunCli({"check", "-"}, "C" + std::string(100000, '|') + " D").exitCode, 0);
}

}  // namespace
}  // namespace kaz
