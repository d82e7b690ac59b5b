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

using kaz::cli::CommandHome;

//! The module a command of another home runs in: its file, its entry and what its commands are called.
struct CommandModule {
    CommandHome home;
    const char* file;
    const char* entry;
    const char* what;
};

constexpr CommandModule kModules[] = {
    {CommandHome::DeviceModule, "kaz-cli-devices.so", "KazRunDeviceCommand", "the device commands"},
    {CommandHome::InterchangeModule, "kaz-cli-interchange.so", "KazRunInterchangeCommand",
     "the import and export commands"},
};

int Run(int argc, char* argv[]) {
    using namespace kaz::cli;
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (argc < 2 || first == "--help" || first == "-h") {
        const std::string help = ProgramHelp();
        std::fputs(help.c_str(), argc < 2 ? stderr : stdout);
        return argc < 2 ? kExitUsage : kExitOk;
    }
    const CommandSpec* command = FindCommand(first);
    if (command == nullptr) {
        return UsageError("unknown command '" + std::string(first) + "'; see 'kaz-cli --help'");
    }
    for (const CommandModule& module : kModules) {
        if (command->home == module.home) {
            return RunModuleCommand(module.file, module.entry, module.what, argc, argv);
        }
    }
    const CommandRunner runners[] = {{"check", RunCheck},   {"events", RunEvents},
                                     {"export", RunExport}, {"transpose", RunTranspose},
                                     {"styles", RunStyles}, {"export-pdf", RunExportPdf}};
    return RunCommand(argc, argv, runners);
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
