#include <cstdio>
#include <string_view>

#include "cli/cli_common.h"
#include "cli/interchange_commands.h"

namespace {

constexpr const char* kUsage =
    "Usage: kaz-cli COMMAND ...\n"
    "\n"
    "Commands:\n"
    "  check     FILE [OPTIONS] [--json]        say whether a chart is valid\n"
    "  events    FILE [OPTIONS]                 print the performance, one event a line\n"
    "  export    FILE OUT.mid [OPTIONS]         write a Standard MIDI File\n"
    "  transpose FILE --shift N [--spell NAMES] [OPTIONS]\n"
    "                                           print the chart moved by N semitones\n"
    "  play      FILE [--device NAME] [--loop] [OPTIONS]\n"
    "                                           play the chart on a MIDI output or the built-in synthesizer\n"
    "  devices                                  list the MIDI outputs, the built-in synthesizer first\n"
    "  render    FILE OUT.wav [OPTIONS]         write the performance as audio\n"
    "  styles                                   list the accompaniment styles\n"
    "  export-pdf FILE OUT.pdf [--instrument concert|Bb|Eb|F]\n"
    "                                           write the chart as a lead sheet in a PDF\n"
    "  import    FILE [--into DIR] [--force]    read iReal Pro links, MusicXML or ChordPro as charts\n"
    "  export-ireal    FILE [OUT.html]          write the chart as an iReal Pro link\n"
    "  export-musicxml FILE [OUT.musicxml]      write the chart as a MusicXML lead sheet\n"
    "\n"
    "FILE may be - for standard input. 'kaz-cli COMMAND --help' lists a command's options.\n";

}  // namespace

int main(int argc, char* argv[]) {
    const kaz::cli::CommandArguments arguments{argv[0], {argv + 1, argv + argc}};
    if (arguments.words.empty() || arguments.words.front() == "--help" || arguments.words.front() == "-h") {
        std::fputs(kUsage, arguments.words.empty() ? stderr : stdout);
        return arguments.words.empty() ? kaz::cli::kExitUsage : kaz::cli::kExitOk;
    }
    const std::string_view command = arguments.words.front();
    using Command = int (*)(const kaz::cli::CommandArguments&);
    const std::pair<const char*, Command> commands[] = {
        {"check", kaz::cli::RunCheck},   {"events", kaz::cli::RunEvents},
        {"export", kaz::cli::RunExport}, {"transpose", kaz::cli::RunTranspose},
        {"styles", kaz::cli::RunStyles}, {"export-pdf", kaz::cli::RunExportPdf},
    };
    if (const auto run = kaz::cli::FindInterchangeCommand(std::string(command))) {
        return run(arguments);
    }
    for (const auto& [name, run] : commands) {
        if (command == name) {
            return run(arguments);
        }
    }
    for (const char* name : {"play", "devices", "render"}) {
        if (command == name) {
            return kaz::cli::RunDeviceCommand(argc, argv);
        }
    }
    return kaz::cli::UsageError("unknown command '" + std::string(command) + "'; see 'kaz-cli --help'");
}
