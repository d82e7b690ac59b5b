// kaz-cli-docs: what is written about kaz-cli from its table of commands, at build time. "bash-completion
// FILE" writes the completion script for bash; "names" prints each command, then each of its options as
// "COMMAND --OPTION", one a line, for the checks of the manual.
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/command_table.h"

namespace {

using kaz::cli::CommandSpec;
using kaz::cli::OptionSpec;

std::string Joined(const std::vector<std::string>& words) {
    std::string joined;
    for (const std::string& word : words) {
        joined += (joined.empty() ? "" : " ") + word;
    }
    return joined;
}

//! The completion of the value of each of the command's options, in the words of a bash case.
std::string ValueCompletions(const CommandSpec& command) {
    std::string cases;
    std::vector<std::string> free;
    for (const OptionSpec& option : command.options) {
        if (option.valueName.empty()) {
            continue;
        }
        if (option.valueName == "DIR") {
            cases +=
                "                --" + option.name + ") COMPREPLY=($(compgen -d -- \"$cur\")); return ;;\n";
        } else if (!option.values.empty()) {
            cases += "                --" + option.name + ") COMPREPLY=($(compgen -W \"" +
                     Joined(option.values) + "\" -- \"$cur\")); return ;;\n";
        } else {
            free.push_back("--" + option.name);
        }
    }
    if (!free.empty()) {
        std::string alternatives;
        for (const std::string& name : free) {
            alternatives += (alternatives.empty() ? "" : "|") + name;
        }
        cases += "                " + alternatives + ") return ;;\n";
    }
    return cases;
}

bool WriteBashCompletion(const char* path) {
    std::vector<std::string> names;
    for (const CommandSpec& command : kaz::cli::Commands()) {
        names.push_back(command.name);
    }
    std::string script =
        "# bash completion for kaz-cli, written from its table of commands.\n"
        "_kaz_cli() {\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]} options\n"
        "    if ((COMP_CWORD == 1)); then\n"
        "        COMPREPLY=($(compgen -W \"--help " +
        Joined(names) +
        "\" -- \"$cur\"))\n"
        "        return\n"
        "    fi\n"
        "    case ${COMP_WORDS[1]} in\n";
    for (const CommandSpec& command : kaz::cli::Commands()) {
        std::vector<std::string> options{"--help"};
        for (const OptionSpec& option : command.options) {
            options.push_back("--" + option.name);
        }
        script += "        " + command.name + ")\n            case $prev in\n" + ValueCompletions(command) +
                  "            esac\n            options=\"" + Joined(options) + "\"\n";
        if (command.arguments.empty()) {
            script +=
                "            COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n            return ;;\n";
        } else {
            script += "            ;;\n";
        }
    }
    script +=
        "        *) return ;;\n"
        "    esac\n"
        "    if [[ $cur == -* ]]; then\n"
        "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
        "    else\n"
        "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
        "    fi\n"
        "}\n"
        "complete -o filenames -F _kaz_cli kaz-cli\n";
    std::FILE* file = std::fopen(path, "w");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fputs(script.c_str(), file) >= 0;
    return std::fclose(file) == 0 && written;
}

void PrintNames() {
    for (const CommandSpec& command : kaz::cli::Commands()) {
        std::printf("%s\n", command.name.c_str());
        for (const OptionSpec& option : command.options) {
            std::printf("%s --%s\n", command.name.c_str(), option.name.c_str());
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string_view what = argc > 1 ? argv[1] : "";
    if (what == "bash-completion" && argc == 3) {
        if (!WriteBashCompletion(argv[2])) {
            std::fprintf(stderr, "kaz-cli-docs: cannot write %s\n", argv[2]);
            return 1;
        }
    } else if (what == "names" && argc == 2) {
        PrintNames();
    } else {
        std::fputs("Usage: kaz-cli-docs bash-completion FILE | names\n", stderr);
        return 2;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
