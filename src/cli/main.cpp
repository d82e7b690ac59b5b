#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

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
    "  import    FILE [--into DIR] [--force]    read iReal Pro links, MusicXML or ChordPro as charts\n"
    "  export-ireal    FILE [OUT.html]          write the chart as an iReal Pro link\n"
    "  export-musicxml FILE [OUT.musicxml]      write the chart as a MusicXML lead sheet\n"
    "\n"
    "FILE may be - for standard input. 'kaz-cli COMMAND --help' lists a command's options.\n";

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("kaz-cli");
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.isEmpty() || arguments.first() == "--help" || arguments.first() == "-h") {
        std::fputs(kUsage, arguments.isEmpty() ? stderr : stdout);
        return arguments.isEmpty() ? kaz::cli::kExitUsage : kaz::cli::kExitOk;
    }
    const QString command = arguments.first();
    using Command = int (*)(const QStringList&);
    const std::pair<const char*, Command> commands[] = {
        {"check", kaz::cli::RunCheck},          {"events", kaz::cli::RunEvents},
        {"export", kaz::cli::RunExport},        {"transpose", kaz::cli::RunTranspose},
        {"play", kaz::cli::RunDeviceCommand},   {"devices", kaz::cli::RunDeviceCommand},
        {"render", kaz::cli::RunDeviceCommand},
    };
    if (const auto run = kaz::cli::FindInterchangeCommand(command.toStdString())) {
        return run(arguments);
    }
    for (const auto& [name, run] : commands) {
        if (command == name) {
            return run(arguments);
        }
    }
    return kaz::cli::UsageError(QStringLiteral("unknown command '%1'; see 'kaz-cli --help'").arg(command));
}
