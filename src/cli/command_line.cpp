#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>

#include "cli/cli_common.h"

namespace kaz::cli {

namespace {

constexpr const char* kProgram = "kaz-cli";
//! Help is laid out for a terminal of 80 columns: the options' names, then their descriptions.
constexpr std::size_t kHelpWidth = 80;
constexpr std::size_t kNameColumn = 30;
constexpr std::size_t kCommandColumn = 20;
const std::string kHelpDescription = "Print this help and exit.";

//! text broken at spaces into lines of at most width characters, joined by line breaks.
std::string Wrapped(const std::string& text, std::size_t width) {
    std::string wrapped;
    std::size_t lineLength = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string word = text.substr(start, end - start);
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            wrapped += '\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            wrapped += ' ';
            ++lineLength;
        }
        wrapped += word;
        lineLength += word.size();
        start = end + 1;
    }
    return wrapped;
}

std::string JoinedWithOr(const std::vector<std::string>& values) {
    std::string joined;
    for (std::size_t i = 0; i < values.size(); ++i) {
        joined += (i == 0 ? "" : i + 1 == values.size() ? " or " : ", ") + values[i];
    }
    return joined;
}

//! The check of an option's value the table asks for, in this program's words; none when it asks for none.
std::optional<CLI::Validator> ValueCheck(const OptionSpec& option) {
    const std::string name = "--" + option.name;
    if (option.range) {
        const WholeRange range = *option.range;
        return CLI::Validator(
            [name, range](const std::string& value) {
                const std::optional<long long> number = ParseWholeNumber(value);
                if (number && *number >= range.low && *number <= range.high) {
                    return std::string();
                }
                return name + " takes a whole number from " + std::to_string(range.low) + " to " +
                       std::to_string(range.high) + ", not '" + value + "'";
            },
            "");
    }
    if (option.onlyValues) {
        return CLI::Validator(
            [name, values = option.values](const std::string& value) {
                if (std::find(values.begin(), values.end(), value) != values.end()) {
                    return std::string();
                }
                return name + " takes " + JoinedWithOr(values) + ", not '" + value + "'";
            },
            "");
    }
    return std::nullopt;
}

//! CLI11's help with the usage first, as other programs print theirs, the table's arguments in it, and the
//! descriptions wrapped to the terminal.
class HelpFormatter : public CLI::Formatter {
  public:
    explicit HelpFormatter(const CommandSpec* command) : command_(command) {
        // The commands' names are short; the options' with their values long.
        column_width(command == nullptr ? kCommandColumn : kNameColumn);
    }

    std::string make_help(const CLI::App* app, std::string name, CLI::AppFormatMode mode) const override {
        std::string help = make_usage(app, std::move(name)) + make_description(app) + make_positionals(app) +
                           make_groups(app, mode) + make_subcommands(app, mode);
        while (help.ends_with("\n\n")) {
            help.pop_back();
        }
        const std::string footer = make_footer(app);
        return footer.empty() ? help : help + "\n" + footer;
    }

    std::string make_usage(const CLI::App*, std::string name) const override {
        std::string usage = "Usage: " + name;
        if (command_ == nullptr) {
            return usage + " COMMAND [OPTIONS] [ARGUMENTS]\n";
        }
        usage += " [OPTIONS]";
        for (const ArgumentSpec& argument : Arguments()) {
            usage += " " + (argument.count == ArgumentSpec::Count::Optional ? "[" + argument.name + "]"
                                                                            : argument.name);
        }
        return usage + "\n";
    }

    std::string make_description(const CLI::App* app) const override {
        const std::string description = app->get_description();
        return description.empty() ? std::string() : "\n" + Wrapped(description, kHelpWidth - 1) + "\n";
    }

    std::string make_positionals(const CLI::App*) const override {
        if (Arguments().empty()) {
            return {};
        }
        std::stringstream out;
        out << "\nArguments:\n";
        for (const ArgumentSpec& argument : Arguments()) {
            CLI::detail::format_help(out, argument.name,
                                     Wrapped(argument.description, kHelpWidth - kNameColumn), kNameColumn);
        }
        return out.str();
    }

    std::string make_option_desc(const CLI::Option* option) const override {
        return Wrapped(option->get_description(), kHelpWidth - kNameColumn);
    }

    std::string make_footer(const CLI::App* app) const override {
        const std::string footer = app->get_footer();
        return footer.empty() ? std::string() : footer + "\n";
    }

  private:
    std::span<const ArgumentSpec> Arguments() const {
        return command_ == nullptr ? std::span<const ArgumentSpec>() : command_->arguments;
    }

    const CommandSpec* command_;
};

std::unique_ptr<CLI::App> ProgramApp(const CommandSpec* command) {
    auto program = std::make_unique<CLI::App>(kProgramSummary, kProgram);
    program->formatter(std::make_shared<HelpFormatter>(command));
    program->get_help_ptr()->description(kHelpDescription);
    program->footer(kProgramDetails);
    program->require_subcommand(1, 1);
    return program;
}

//! The words of a command line as the option library reads them, or what is wrong with them.
struct LibraryWords {
    std::vector<std::string> words;
    std::string error;
};

//! The library knows long options by two dashes only, reads "--name=" as a name whose value is the next word,
//! and takes a value that looks like an option for one: each value is given to it after "=", and the words by
//! position after "--".
LibraryWords ToLibraryWords(const CommandSpec& command, const std::vector<std::string>& words) {
    LibraryWords taken;
    std::vector<std::string> positionals;
    bool onlyPositionals = false;
    for (std::size_t index = 0; index < words.size(); ++index) {
        const std::string& word = words[index];
        if (onlyPositionals || word.size() < 2 || word[0] != '-') {
            positionals.push_back(word);
            continue;
        }
        if (word == "--") {
            onlyPositionals = true;
            continue;
        }
        const bool longOption = word[1] == '-' || command.singleDash == SingleDashWords::LongOptions;
        const std::size_t dashes = word[1] == '-' ? 2 : 1;
        const std::size_t assign = word.find('=');
        const std::string name = word.substr(dashes, assign == std::string::npos ? assign : assign - dashes);
        const OptionSpec* option = longOption ? FindOption(command, name) : nullptr;
        const bool help = name == "help" || name == "h";
        if (option == nullptr || option->valueName.empty()) {
            if (assign != std::string::npos && (option != nullptr || help)) {
                taken.error = "Unexpected value after '" + word.substr(0, assign) + "'.";
            } else {
                // Unknown options go to the library too, which names them all.
                taken.words.push_back(longOption && name.size() > 1 ? "--" + word.substr(dashes) : word);
            }
            continue;
        }
        std::string value;
        if (assign != std::string::npos) {
            value = word.substr(assign + 1);
        } else if (index + 1 < words.size()) {
            value = words[++index];
        } else {
            taken.error = "Missing value after '" + word + "'.";
            break;
        }
        if (value.empty()) {
            taken.words.insert(taken.words.end(), {"--" + option->name, value});
        } else {
            taken.words.push_back("--" + option->name + "=" + value);
        }
    }
    if (!positionals.empty()) {
        taken.words.push_back("--");
        taken.words.insert(taken.words.end(), positionals.begin(), positionals.end());
    }
    return taken;
}

//! The message for words the library did not know, if any: the options' names, each letter of a word of
//! one-letter options.
std::optional<std::string> UnknownOptions(const CommandSpec& command,
                                          const std::vector<std::string>& extras) {
    std::vector<std::string> names;
    for (const std::string& word : extras) {
        // The library keeps the end of the options among the words it did not take.
        if (word == "--") {
            continue;
        }
        const std::size_t dashes = word.starts_with("--") ? 2 : 1;
        const std::size_t assign = word.find('=');
        const std::string name = word.substr(dashes, assign == std::string::npos ? assign : assign - dashes);
        if (dashes == 2 || command.singleDash == SingleDashWords::LongOptions) {
            names.push_back(name);
            continue;
        }
        for (const char letter : name) {
            if (letter != 'h') {
                names.emplace_back(1, letter);
            }
        }
    }
    if (names.empty()) {
        return std::nullopt;
    }
    if (names.size() == 1) {
        return "Unknown option '" + names.front() + "'.";
    }
    std::string message = "Unknown options: ";
    for (std::size_t i = 0; i < names.size(); ++i) {
        message += (i == 0 ? "" : ", ") + names[i];
    }
    return message + ".";
}

bool Print(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

}  // namespace

CommandLine::CommandLine(const CommandSpec& command) : command_(command), program_(ProgramApp(&command)) {
    app_ = program_->add_subcommand(command.name, command.description);
    app_->allow_extras();
    app_->footer("");
    app_->get_help_ptr()->description(kHelpDescription);
    app_->add_option("words", positionals_)->group("");
    for (const OptionSpec& spec : command.options) {
        if (spec.valueName.empty()) {
            app_->add_flag("--" + spec.name, flagCounts_[spec.name], spec.description);
            continue;
        }
        CLI::Option* option = app_->add_option("--" + spec.name, values_[spec.name], spec.description)
                                  ->type_name(spec.valueName)
                                  ->expected(1)
                                  ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
        if (std::optional<CLI::Validator> check = ValueCheck(spec)) {
            option->check(std::move(*check));
        }
    }
}

CommandLine::~CommandLine() = default;

CommandLine::Outcome CommandLine::Parse(const std::vector<std::string>& words) {
    LibraryWords taken = ToLibraryWords(command_, words);
    if (!taken.error.empty()) {
        UsageError(taken.error);
        return Outcome::UsageError;
    }
    taken.words.insert(taken.words.begin(), command_.name);
    // The library takes the words last first.
    std::reverse(taken.words.begin(), taken.words.end());
    std::string problem;
    bool help = false;
    try {
        program_->parse(taken.words);
    } catch (const CLI::CallForHelp&) {
        help = true;
    } catch (const CLI::ValidationError& error) {
        // The library puts the option's name before the check's own message, which names it too.
        problem = error.what();
        problem.erase(0, problem.find(": ") + 2);
    } catch (const CLI::ParseError& error) {
        problem = error.what();
    }
    // An unknown option is what the user hears of first, whatever else the words hold.
    if (const std::optional<std::string> unknown = UnknownOptions(command_, program_->remaining(true))) {
        problem = *unknown;
    }
    if (!problem.empty()) {
        UsageError(problem);
        return Outcome::UsageError;
    }
    if (help) {
        Print(Help());
        return Outcome::HelpShown;
    }
    return Outcome::Parsed;
}

std::string CommandLine::Help() const {
    return app_->help(kProgram);
}

bool CommandLine::IsSet(const std::string& name) const {
    const auto flag = flagCounts_.find(name);
    if (flag != flagCounts_.end()) {
        return flag->second > 0;
    }
    return !Values(name).empty();
}

std::string CommandLine::Value(const std::string& name) const {
    const std::vector<std::string>& values = Values(name);
    return values.empty() ? std::string() : values.back();
}

const std::vector<std::string>& CommandLine::Values(const std::string& name) const {
    static const std::vector<std::string> kNone;
    const auto found = values_.find(name);
    return found == values_.end() ? kNone : found->second;
}

int RunCommand(int argc, char* argv[], std::span<const CommandRunner> here) {
    const CommandSpec* command = argc > 1 ? FindCommand(argv[1]) : nullptr;
    const auto runner = std::find_if(here.begin(), here.end(), [&](const CommandRunner& candidate) {
        return command != nullptr && command->name == candidate.name;
    });
    if (runner == here.end()) {
        return UsageError("the command '" + std::string(argc > 1 ? argv[1] : "") +
                          "' is not built into this program");
    }
    CommandLine line(*command);
    switch (line.Parse({argv + 2, argv + argc})) {
        case CommandLine::Outcome::Parsed:
            return runner->run(line);
        case CommandLine::Outcome::HelpShown:
            return kExitOk;
        case CommandLine::Outcome::UsageError:
            break;
    }
    return kExitUsage;
}

std::string ProgramHelp() {
    const std::unique_ptr<CLI::App> program = ProgramApp(nullptr);
    for (const CommandSpec& command : Commands()) {
        program->add_subcommand(command.name, command.summary)->group("Commands");
    }
    return program->help();
}

std::string CommandHelp(const CommandSpec& command) {
    return CommandLine(command).Help();
}

}  // namespace kaz::cli
