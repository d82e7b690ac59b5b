#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <cstdio>

#include "cli/cli_common.h"

namespace kaz::cli {

namespace {

const OptionSpec kHelpOption{"help", "", "Displays help on commandline options."};
const OptionSpec kHelpAllOption{"help-all", "", "Displays help including Qt specific options."};

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

//! One entry of the help: the names in a column of width, the description wrapped beside them to fit 79
//! columns, breaking at spaces and at the description's own line breaks.
std::string HelpEntry(const std::string& names, std::size_t width, const std::string& description) {
    std::size_t nameIndex = 0;
    const auto nextNames = [&] {
        std::string section = names.substr(std::min(nameIndex, names.size()), width);
        nameIndex += section.size();
        return section;
    };
    const long max = 79 - static_cast<long>(2 + width + 1);
    const long length = static_cast<long>(description.size());
    std::string text;
    long lineStart = 0;
    long lastBreakable = -1;
    long x = 0;
    for (long i = 0; i < length; ++i) {
        ++x;
        const char c = description[static_cast<std::size_t>(i)];
        if (IsSpace(c)) {
            lastBreakable = i;
        }
        long breakAt = -1;
        long nextLineStart = -1;
        if (x > max && lastBreakable != -1) {
            breakAt = lastBreakable;
            nextLineStart = lastBreakable + 1;
        } else if ((x > max - 1 && lastBreakable == -1) || i == length - 1) {
            breakAt = i + 1;
            nextLineStart = breakAt;
        } else if (c == '\n') {
            breakAt = i;
            nextLineStart = i + 1;
        }
        if (breakAt == -1) {
            continue;
        }
        std::string section = nextNames();
        section.resize(std::max(width, section.size()), ' ');
        text += "  " + section + " " +
                description.substr(static_cast<std::size_t>(lineStart),
                                   static_cast<std::size_t>(std::max(0L, breakAt - lineStart))) +
                "\n";
        x = 0;
        lastBreakable = -1;
        lineStart = nextLineStart;
        if (lineStart < length && IsSpace(description[static_cast<std::size_t>(lineStart)])) {
            ++lineStart;
        }
        i = lineStart;
    }
    while (nameIndex < names.size()) {
        text += "  " + nextNames() + "\n";
    }
    return text;
}

std::string OptionNames(const OptionSpec& option) {
    std::string names = &option == &kHelpOption ? "-h, --help" : "--" + option.name;
    if (!option.valueName.empty()) {
        names += " <" + option.valueName + ">";
    }
    return names;
}

}  // namespace

//! The words of a command line sorted into what the option library is given, and what was wrong with them.
struct CommandLine::Scan {
    explicit Scan(const std::vector<std::string>& all) : words(all) {}

    const std::vector<std::string>& words;
    std::size_t index = 1;             // words[0] is the subcommand
    std::vector<std::string> options;  // "--name=value" and "--flag"
    std::vector<std::string> positionals;
    std::vector<std::string> unknown;
    std::string valueError;  // the last one counts
    bool ended = false;

    void Pass(const OptionSpec& option, const std::string& value) {
        // The library reads "--name=" as a name whose value follows.
        if (value.empty()) {
            options.insert(options.end(), {"--" + option.name, value});
        } else {
            options.push_back("--" + option.name + "=" + value);
        }
    }
};

CommandLine::CommandLine(std::string description, SingleDashWords singleDash)
    : description_(std::move(description)), singleDash_(singleDash), app_(std::make_unique<CLI::App>()) {
    app_->set_help_flag();
    app_->add_flag("--" + kHelpOption.name, flagCounts_[kHelpOption.name]);
    app_->add_flag("--" + kHelpAllOption.name, flagCounts_[kHelpAllOption.name]);
    app_->add_option("words", positionals_);
}

CommandLine::~CommandLine() = default;

void CommandLine::AddPositional(std::string name, std::string description) {
    positionalSpecs_.push_back({std::move(name), std::move(description)});
}

void CommandLine::AddOption(OptionSpec option) {
    if (option.valueName.empty()) {
        app_->add_flag("--" + option.name, flagCounts_[option.name]);
    } else {
        app_->add_option("--" + option.name, values_[option.name])
            ->expected(1)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    }
    options_.push_back(std::move(option));
}

const OptionSpec* CommandLine::Find(const std::string& name) const {
    if (name == "h" || name == kHelpOption.name) {
        return &kHelpOption;
    }
    if (name == kHelpAllOption.name) {
        return &kHelpAllOption;
    }
    const auto found = std::find_if(options_.begin(), options_.end(),
                                    [&](const OptionSpec& option) { return option.name == name; });
    return found == options_.end() ? nullptr : &*found;
}

// A value option takes the rest of its word after "=", or else the next word whatever it is.
void CommandLine::ScanLongOption(Scan& scan, const std::string& name, std::size_t& index) const {
    const std::string& word = scan.words[index];
    const std::size_t assign = word.find('=');
    const OptionSpec* option = Find(name);
    if (option == nullptr) {
        scan.unknown.push_back(name);
        return;
    }
    if (option->valueName.empty()) {
        if (assign != std::string::npos) {
            scan.valueError = "Unexpected value after '" + word.substr(0, assign) + "'.";
            return;
        }
        scan.options.push_back("--" + option->name);
        return;
    }
    std::string value;
    if (assign != std::string::npos) {
        value = word.substr(assign + 1);
    } else if (index + 1 < scan.words.size()) {
        value = scan.words[++index];
    } else {
        scan.valueError = "Missing value after '" + word + "'.";
        scan.ended = true;
        return;
    }
    scan.Pass(*option, value);
}

void CommandLine::ScanLetters(Scan& scan) const {
    const std::string& word = scan.words[scan.index];
    std::string letter;
    for (std::size_t pos = 1; pos < word.size(); ++pos) {
        letter = word.substr(pos, 1);
        const OptionSpec* option = Find(letter);
        if (option == nullptr) {
            scan.unknown.push_back(letter);
            continue;
        }
        if (!option->valueName.empty()) {
            if (pos + 1 < word.size()) {
                const std::size_t start = word[pos + 1] == '=' ? pos + 2 : pos + 1;
                scan.Pass(*option, word.substr(start));
                return;
            }
            ScanLongOption(scan, letter, scan.index);
            return;
        }
        scan.options.push_back("--" + option->name);
        if (pos + 1 < word.size() && word[pos + 1] == '=') {
            break;
        }
    }
    const OptionSpec* last = Find(letter);
    const std::size_t assign = word.find('=');
    if (last != nullptr && assign != std::string::npos) {
        scan.valueError = "Unexpected value after '" + word.substr(0, assign) + "'.";
    }
}

CommandLine::Outcome CommandLine::Parse(const CommandArguments& arguments) {
    Scan scan(arguments.words);
    bool onlyPositionals = false;
    for (; scan.index < scan.words.size() && !scan.ended; ++scan.index) {
        const std::string& word = scan.words[scan.index];
        if (onlyPositionals || word.size() < 2 || word[0] != '-') {
            scan.positionals.push_back(word);
        } else if (word == "--") {
            onlyPositionals = true;
        } else if (word[1] == '-' || singleDash_ == SingleDashWords::LongOptions) {
            const std::size_t dashes = word[1] == '-' ? 2 : 1;
            const std::size_t assign = word.find('=');
            ScanLongOption(scan, word.substr(dashes, assign == std::string::npos ? assign : assign - dashes),
                           scan.index);
        } else {
            ScanLetters(scan);
        }
    }
    if (!scan.valueError.empty()) {
        UsageError(scan.valueError);
        return Outcome::UsageError;
    }
    if (scan.unknown.size() == 1) {
        UsageError("Unknown option '" + scan.unknown.front() + "'.");
        return Outcome::UsageError;
    }
    if (!scan.unknown.empty()) {
        std::string names;
        for (const std::string& name : scan.unknown) {
            names += (names.empty() ? "" : ", ") + name;
        }
        UsageError("Unknown options: " + names + ".");
        return Outcome::UsageError;
    }
    // The library takes the words last first.
    std::vector<std::string> words = std::move(scan.options);
    if (!scan.positionals.empty()) {
        words.push_back("--");
        words.insert(words.end(), scan.positionals.begin(), scan.positionals.end());
    }
    std::reverse(words.begin(), words.end());
    try {
        app_->parse(words);
    } catch (const CLI::ParseError& error) {
        UsageError(error.what());
        return Outcome::UsageError;
    }
    if (IsSet(kHelpOption.name)) {
        const std::string help = HelpText(arguments.program);
        std::fwrite(help.data(), 1, help.size(), stdout);
        return Outcome::HelpShown;
    }
    return Outcome::Parsed;
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

std::string CommandLine::HelpText(const std::string& program) const {
    std::string text = "Usage: " + program + " [options]";
    for (const Positional& positional : positionalSpecs_) {
        text += " " + positional.name;
    }
    text += "\n";
    if (!description_.empty()) {
        text += description_ + "\n";
    }
    text += "\nOptions:\n";
    std::vector<const OptionSpec*> listed{&kHelpOption, &kHelpAllOption};
    for (const OptionSpec& option : options_) {
        listed.push_back(&option);
    }
    std::size_t width = 0;
    for (const OptionSpec* option : listed) {
        width = std::max(width, OptionNames(*option).size());
    }
    for (const Positional& positional : positionalSpecs_) {
        width = std::max(width, positional.name.size());
    }
    width = std::min<std::size_t>(50, width + 1);
    for (const OptionSpec* option : listed) {
        text += HelpEntry(OptionNames(*option), width, option->description);
    }
    if (!positionalSpecs_.empty()) {
        text += "\nArguments:\n";
        for (const Positional& positional : positionalSpecs_) {
            text += HelpEntry(positional.name, width, positional.description);
        }
    }
    return text;
}

}  // namespace kaz::cli
