#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kaz::cli {

//! The whole numbers an option takes, low..high.
struct WholeRange {
    long long low = 0;
    long long high = 0;
};

//! One option of a command: --name, with a value unless valueName is empty.
struct OptionSpec {
    std::string name;       //!< without its dashes
    std::string valueName;  //!< how the help names its value ("BPM"); empty for a flag
    std::string description;
    std::optional<WholeRange> range;  //!< checked: the value is a whole number in it
    //! The values it takes, when they are a few words: the shell completes them and, with onlyValues, the
    //! option takes nothing else.
    std::vector<std::string> values;
    bool onlyValues = false;
};

//! One argument of a command, by position.
struct ArgumentSpec {
    enum class Count { One, Optional, OneOrMore };
    std::string name;
    std::string description;
    Count count = Count::One;
};

//! Where a command's code is: kaz-cli itself, or one of the modules it loads for the commands that need
//! other libraries.
enum class CommandHome { Program, DeviceModule, InterchangeModule };

//! How a word with one dash is read: as a long option ("-tempo 90", the chart commands), or as one-letter
//! options run together ("-h").
enum class SingleDashWords { LongOptions, Letters };

//! One command of kaz-cli: what its usage, help, manual page and shell completion say, and where it runs.
struct CommandSpec {
    std::string name;
    std::string summary;      //!< one line, in the list of commands
    std::string description;  //!< at the head of its help
    std::vector<ArgumentSpec> arguments;
    std::vector<OptionSpec> options;  //!< in the order their values are checked
    CommandHome home = CommandHome::Program;
    SingleDashWords singleDash = SingleDashWords::LongOptions;
};

//! Every command of kaz-cli, in the order the usage lists them.
[[nodiscard]] std::span<const CommandSpec> Commands();
//! The command called name; nullptr when there is none.
[[nodiscard]] const CommandSpec* FindCommand(std::string_view name);
//! The option called name of command; nullptr when it has none.
[[nodiscard]] const OptionSpec* FindOption(const CommandSpec& command, std::string_view name);

//! What kaz-cli is, at the head of its help.
inline constexpr const char* kProgramSummary = "Check, play, export and transpose chord charts.";
//! The lines at the end of kaz-cli's help.
inline constexpr const char* kProgramDetails =
    "FILE may be - for standard input, an output file - for standard output. A FIFO given as FILE,\n"
    "OUT or KAZ_AUDIO_FILE waits for the program at its other end, as with other programs.\n"
    "'kaz-cli COMMAND --help' lists a command's arguments and options.";

}  // namespace kaz::cli
