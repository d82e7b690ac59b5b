#pragma once

#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "cli/command_table.h"

namespace CLI {
class App;
}

namespace kaz::cli {

//! The words given to one command of the table, read by the option library: its options, checked as the
//! table says, and its arguments. An option may be given "--name value", "--name=value" or, where the command
//! reads single-dash words as long options, "-name value"; a value option takes the next word whatever it
//! is; the last value given counts; "--" ends the options.
class CommandLine {
  public:
    explicit CommandLine(const CommandSpec& command);
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    enum class Outcome { Parsed, HelpShown, UsageError };
    //! Parse the words after the command's name. After --help the help has been printed on standard output,
    //! after a usage error its message on standard error.
    [[nodiscard]] Outcome Parse(const std::vector<std::string>& words);

    [[nodiscard]] const CommandSpec& Command() const { return command_; }
    [[nodiscard]] bool IsSet(const std::string& name) const;
    //! The last value given to the option; empty when it was not given.
    [[nodiscard]] std::string Value(const std::string& name) const;
    [[nodiscard]] const std::vector<std::string>& Values(const std::string& name) const;
    //! The arguments given by position, in order.
    [[nodiscard]] const std::vector<std::string>& Positionals() const { return positionals_; }
    //! The command's help, as --help prints it.
    [[nodiscard]] std::string Help() const;

  private:
    const CommandSpec& command_;
    std::unique_ptr<CLI::App> program_;
    CLI::App* app_ = nullptr;  //!< the command's, in program_
    std::map<std::string, std::vector<std::string>> values_;
    std::map<std::string, int> flagCounts_;
    std::vector<std::string> positionals_;
};

//! kaz-cli's help: the commands of the table, each with its summary.
[[nodiscard]] std::string ProgramHelp();
//! A command's help, as 'kaz-cli COMMAND --help' prints it.
[[nodiscard]] std::string CommandHelp(const CommandSpec& command);

//! The code of one command of the table, in the program or module it runs in.
using CommandRun = int (*)(const CommandLine& line);
struct CommandRunner {
    const char* name;
    CommandRun run;
};

//! Parse the program's arguments, argv[1] a command of the table, and run it with its runner among here,
//! those of this program or module. Returns the exit status: 0 after --help, 2 after a usage error.
int RunCommand(int argc, char* argv[], std::span<const CommandRunner> here);

}  // namespace kaz::cli
