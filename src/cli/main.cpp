#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/cli_common.h"
#include "cli/cli_modules.h"

namespace {

constexpr const char* kUsage =
    "Usage: kaz-cli COMMAND ...\n"
    "\n"
    "Commands:\n"
    "  check     FILE... [OPTIONS] [--json]     say whether charts are valid\n"
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
    "FILE may be - for standard input. 'kaz-cli COMMAND --help' lists a command's options.\n"
    "A FIFO given as FILE, OUT or KAZ_AUDIO_FILE waits for the program at its other end, as with other\n"
    "programs; the window refuses anything that is not a regular file instead.\n";

//! A standard stream the program was started without gets a descriptor that refuses it, so that the first
//! file the program opens does not take its number: a write to a closed standard output then fails and is
//! reported.
void HoldClosedStandardStreams() {
    for (const int descriptor : {0, 1, 2}) {
        if (fcntl(descriptor, F_GETFD) == -1 && errno == EBADF) {
            // Read-only: writing to it fails; reading it gives nothing.
            const int held = open("/dev/null", O_RDONLY | O_CLOEXEC);
            if (held != descriptor && held >= 0) {
                close(held);
            }
        }
    }
}

int Run(int argc, char* argv[]) {
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
    for (const auto& [name, run] : commands) {
        if (command == name) {
            return run(arguments);
        }
    }
    for (const char* name : {"play", "devices", "render"}) {
        if (command == name) {
            return kaz::cli::RunModuleCommand("kaz-cli-devices.so", "KazRunDeviceCommand",
                                              "the device commands", argc, argv);
        }
    }
    for (const char* name : {"import", "export-ireal", "export-musicxml"}) {
        if (command == name) {
            return kaz::cli::RunModuleCommand("kaz-cli-interchange.so", "KazRunInterchangeCommand",
                                              "the import and export commands", argc, argv);
        }
    }
    return kaz::cli::UsageError("unknown command '" + std::string(command) + "'; see 'kaz-cli --help'");
}

}  // namespace

int main(int argc, char* argv[]) {
    HoldClosedStandardStreams();
    const int status = Run(argc, argv);
    // Whatever the command printed must have reached standard output, or its answer is lost. A command that
    // failed with a usage or file error has said so already.
    const bool flushed = std::fflush(stdout) == 0;
    const int reason = errno;
    if (status != kaz::cli::kExitUsage && (!flushed || std::ferror(stdout) != 0)) {
        std::string message = "cannot write to standard output";
        if (!flushed) {
            message += ": " + std::string(std::strerror(reason));
        }
        return kaz::cli::UsageError(message);
    }
    return status;
}
