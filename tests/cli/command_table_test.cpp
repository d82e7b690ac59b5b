// kaz-cli's table of commands against what the program does: the usage lists what runs, and each command's
// help names what it takes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "cli/command_table.h"

namespace {

using kaz::cli::ArgumentSpec;
using kaz::cli::CommandSpec;
using kaz::cli::OptionSpec;
using kaz::test::RunCli;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;

constexpr const char* kMissingFile = "/nonexistent-kaz-test/song";

//! The command's words with every argument it needs given as a file that does not exist.
QStringList WithMissingFiles(const CommandSpec& command) {
    QStringList words{QString::fromStdString(command.name)};
    for (const ArgumentSpec& argument : command.arguments) {
        if (argument.count != ArgumentSpec::Count::Optional) {
            words << kMissingFile;
        }
    }
    // transpose asks for its shift before it reads the chart.
    if (kaz::cli::FindOption(command, "shift") != nullptr) {
        words << "--shift"
              << "0";
    }
    return words;
}

TEST(KazCliCommandTable, EveryCommandInTheUsageRunsAndNothingElse) {
    const auto usage = RunCli({"--help"});
    EXPECT_EQ(usage.exitCode, 0);
    for (const CommandSpec& command : kaz::cli::Commands()) {
        EXPECT_THAT(usage.out, HasSubstr("\n  " + command.name + " ")) << command.name;
        // A command that reached its own code has read or written its files, or done its work.
        const auto run = RunCli(WithMissingFiles(command), "");
        if (command.arguments.empty()) {
            EXPECT_EQ(run.exitCode, 0) << command.name << ": " << run.err;
        } else {
            EXPECT_EQ(run.exitCode, 2) << command.name;
            EXPECT_THAT(run.err, HasSubstr(kMissingFile)) << command.name;
        }
    }
    const auto unknown = RunCli({"transport"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err, "kaz-cli: unknown command 'transport'; see 'kaz-cli --help'\n");
}

TEST(KazCliCommandTable, EachCommandsHelpNamesEveryOptionAndArgument) {
    for (const CommandSpec& command : kaz::cli::Commands()) {
        const auto help = RunCli({QString::fromStdString(command.name), "--help"});
        EXPECT_EQ(help.exitCode, 0) << command.name;
        EXPECT_THAT(help.out, StartsWith("Usage: kaz-cli " + command.name + " [OPTIONS]")) << command.name;
        for (const OptionSpec& option : command.options) {
            const std::string named =
                "  --" + option.name + (option.valueName.empty() ? "" : " " + option.valueName);
            EXPECT_THAT(help.out, HasSubstr(named)) << command.name;
        }
        for (const ArgumentSpec& argument : command.arguments) {
            EXPECT_THAT(help.out, HasSubstr("\n  " + argument.name + " ")) << command.name;
        }
        EXPECT_THAT(help.out, Not(HasSubstr("Qt"))) << command.name;
    }
}

TEST(KazCliCommandTable, UsageErrorsAreSaidAsBefore) {
    const std::pair<QStringList, std::string> errors[] = {
        {{"check", "-", "--bogus"}, "Unknown option 'bogus'."},
        {{"events", "-", "--tempo"}, "Missing value after '--tempo'."},
        {{"check", "-", "--json=yes"}, "Unexpected value after '--json'."},
        {{"transpose", "-", "--shift", "7"}, "--shift takes a whole number from -5 to 6, not '7'"},
        {{"export", "-", "o.mid", "--minus-one", "drums"},
         "--minus-one takes bass, piano or guitar, not 'drums'"},
        {{"export-ireal", "-", "a", "b"},
         "expected FILE and an optional OUT.html after the command; see --help"},
    };
    for (const auto& [arguments, message] : errors) {
        const auto run = RunCli(arguments, "C\n");
        EXPECT_EQ(run.exitCode, 2) << message;
        EXPECT_EQ(run.out, "") << message;
        EXPECT_EQ(run.err, "kaz-cli: " + message + "\n");
    }
}

}  // namespace
