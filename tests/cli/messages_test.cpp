// What kaz-cli says when its output cannot be written, and how it quotes a chart and places an error.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <tuple>

#include "cli/cli_runner.h"

namespace kaz {
namespace {

using test::RunCli;
using ::testing::HasSubstr;

//! The exit status and standard error of kaz-cli run by the shell with redirection, its arguments after it.
test::CliRun RunInShell(const QString& redirection, const QStringList& arguments) {
    QProcess process;
    process.start("sh",
                  QStringList{"-c", "printf 'C | F\\n' | \"$0\" \"$@\" " + redirection, KAZ_CLI} + arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), {}, process.readAllStandardError().toStdString()};
}

TEST(KazCliMessages, AnAnswerThatCannotBeWrittenIsAFailure) {
    for (const QString& redirection : {QString(">&-"), QString(">/dev/full")}) {
        for (const QStringList& arguments : {QStringList{"check", "-", "--json"},
                                             QStringList{"check", "--help"}, QStringList{"events", "-"}}) {
            const auto run = RunInShell(redirection, arguments);
            EXPECT_EQ(run.exitCode, 2)
                << redirection.toStdString() << " " << arguments.join(' ').toStdString();
            EXPECT_THAT(run.err, HasSubstr("standard output")) << redirection.toStdString();
        }
    }
    EXPECT_EQ(RunInShell(">&-", {"check", "-"}).exitCode, 0) << "nothing to write, nothing lost";
}

TEST(KazCliMessages, ExportFailureGivesTheSystemsReason) {
    QTemporaryDir folder;
    const QString target = folder.filePath("missing/song.mid");
    const auto run = RunCli({"export", "-", target}, "C\n");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kaz-cli: Cannot open file `" + target.toStdString() +
                           "` for writing! No such file or directory\n");
}

TEST(KazCliMessages, ControlCharactersOfTheChartAreShownEscaped) {
    const auto run = RunCli({"check", "-"}, "C | \x1b[31mx |\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "-:1:5: error: Unexpected symbol: `\\x1b`\n");
}

TEST(KazCliMessages, CheckGivesEveryChartItsResultAndTheWorstStatus) {
    QTemporaryDir folder;
    const auto write = [&](const char* name, const char* text) {
        std::ofstream(folder.filePath(name).toStdString()) << text;
        return folder.filePath(name);
    };
    const QString good = write("good.kaz", "C | F\n");
    const QString bad = write("bad.kaz", "C | F\nG | Cadd8 |\n");
    const QString empty = write("empty.kaz", "- |\n");
    auto run = RunCli({"check", bad, good, empty});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, bad.toStdString() + ":2:5: error: Unknown chord: `Cadd8`\n" + empty.toStdString() +
                           ": error: Nothing to play\n");
    EXPECT_EQ(RunCli({"check", good, folder.filePath("missing.kaz"), bad}).exitCode, 2);
    EXPECT_EQ(RunCli({"check", good, good}).exitCode, 0);

    run = RunCli({"check", good, bad, "--json"});
    EXPECT_EQ(run.out, "{\"file\":\"" + good.toStdString() +
                           "\",\"ok\":true}\n{\"column\":5,\"end\":15,\"file\":\"" + bad.toStdString() +
                           "\",\"line\":2,\"message\":\"Unknown chord\",\"ok\":false,\"start\":10,\"text\":"
                           "\"Cadd8\"}\n");
}

TEST(KazCliMessages, EveryErrorGivesItsColumnInCharacters) {
    // A tab and a character of two bytes before the error, and CR LF line breaks, which count nothing.
    const std::string chart =
        "C |\r\n\tC\xC3\xB8"
        "7 | Cadd8\r\n";
    for (const QStringList& command :
         {QStringList{"check", "-"}, QStringList{"events", "-"},
          QStringList{"transpose", "-", "--shift", "1"}, QStringList{"export-musicxml", "-"}}) {
        EXPECT_EQ(RunCli(command, chart).err, "-:2:8: error: Unknown chord: `Cadd8`\n")
            << command.join(' ').toStdString();
    }
    EXPECT_THAT(RunCli({"check", "-", "--json"}, chart).out, HasSubstr("\"column\":8,"));
    // In a Windows-1252 chart every byte is a character, quoted as the letter it stands for.
    const std::string windows = "# Gr\xFC\xDF Gott\nC | \xE9 |\n";
    EXPECT_EQ(RunCli({"check", "-"}, windows).err, "-:2:5: error: Unexpected symbol: `\xC3\xA9`\n");
    EXPECT_THAT(RunCli({"check", "-", "--json"}, windows).out, HasSubstr("\"column\":5,"));
}

TEST(KazCliMessages, ARecordingThatCannotBeWrittenIsNotCalledADevice) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KAZ_AUDIO_DRIVER", "file");
    environment.insert("KAZ_AUDIO_FILE", "/nonexistent-folder/take.wav");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KAZ_CLI), {"play", "-"});
    process.write("C |\n");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(
        process.readAllStandardError().toStdString(),
        "kaz-cli: cannot write the recording '/nonexistent-folder/take.wav': No such file or directory\n");
}

TEST(KazCliMessages, ARecordingThatFillsTheDiskSaysSoAndStops) {
    QTemporaryDir folder;
    // limit: the shell's file size limit in blocks of 512 bytes, with its signal ignored so that a write
    // past it fails as a write onto a full disk does.
    const auto record = [](const QString& audioFile, const QString& limit) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("KAZ_AUDIO_DRIVER", "file");
        environment.insert("KAZ_AUDIO_FILE", audioFile);
        environment.insert("KAZ_SOUNDFONT", "/usr/share/sounds/sf2/TimGM6mb.sf2");
        process.setProcessEnvironment(environment);
        const auto start = std::chrono::steady_clock::now();
        process.start("sh", {"-c", "trap '' XFSZ; ulimit -f " + limit + "; exec \"$0\" play -", KAZ_CLI});
        process.write("[TEMPO=60]\nC | F | G | C | F | G | C | G |\n");  // 32 seconds
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(60000));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        return std::make_tuple(process.exitCode(), process.readAllStandardError().toStdString(),
                               took.count());
    };
    const auto [fullCode, fullSays, fullSeconds] = record("/dev/full", "unlimited");
    EXPECT_EQ(fullCode, 2);
    EXPECT_EQ(fullSays, "kaz-cli: cannot write the recording '/dev/full': No space left on device\n");
    const QString take = folder.filePath("take.wav");
    const auto [code, says, seconds] = record(take, "200");  // a second of sound, then no room
    EXPECT_EQ(code, 2);
    EXPECT_EQ(says, "kaz-cli: cannot write the recording '" + take.toStdString() + "': File too large\n");
    EXPECT_LT(seconds, 16.0) << "it stopped at the failure, not at the end of the song";
}

}  // namespace
}  // namespace kaz
