#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace kaz::cli {

//! A subcommand's words as the user typed them: the program as it was started, then the subcommand and its
//! arguments.
struct CommandArguments {
    std::string program;
    std::vector<std::string> words;
};

//! One option of a subcommand, as --help lists it; a flag when it takes no value.
struct OptionSpec {
    std::string name;
    std::string valueName;
    std::string description;
};

//! How a word with one dash is read: as a long option ("-tempo 90", the chart commands), or as one-letter
//! options run together ("-h").
enum class SingleDashWords { LongOptions, Letters };

//! The options and arguments of one subcommand: its --help text and the parse of its words. Every option may
//! be given "--name value", "--name=value" or, among long options, "-name value"; the last value given
//! counts;
//! "--" ends the options.
class CommandLine {
  public:
    CommandLine(std::string description, SingleDashWords singleDash);
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    void AddPositional(std::string name, std::string description);
    void AddOption(OptionSpec option);

    enum class Outcome { Parsed, HelpShown, UsageError };
    //! Parse the words after the subcommand. After --help the help has been printed on standard output, after
    //! a usage error its message on standard error.
    [[nodiscard]] Outcome Parse(const CommandArguments& arguments);

    [[nodiscard]] bool IsSet(const std::string& name) const;
    //! The last value given to the option; empty when it was not given.
    [[nodiscard]] std::string Value(const std::string& name) const;
    [[nodiscard]] const std::vector<std::string>& Values(const std::string& name) const;
    [[nodiscard]] const std::vector<std::string>& Positionals() const { return positionals_; }

    [[nodiscard]] std::string HelpText(const std::string& program) const;

  private:
    struct Positional {
        std::string name;
        std::string description;
    };
    struct Scan;

    [[nodiscard]] const OptionSpec* Find(const std::string& name) const;
    void ScanLongOption(Scan& scan, const std::string& name, std::size_t& index) const;
    void ScanLetters(Scan& scan) const;

    std::string description_;
    SingleDashWords singleDash_;
    std::vector<OptionSpec> options_;
    std::vector<Positional> positionalSpecs_;
    std::unique_ptr<CLI::App> app_;
    std::map<std::string, std::vector<std::string>> values_;
    std::map<std::string, int> flagCounts_;
    std::vector<std::string> positionals_;
};

}  // namespace kaz::cli
