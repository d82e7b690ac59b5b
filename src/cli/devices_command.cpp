#include <cstdio>

#include "cli/cli_common.h"
#include "midi/device/system_outputs.h"

namespace kaz::cli {

int RunDevices(const CommandArguments& arguments) {
    CommandLine parser("List the MIDI outputs 'play --device' can use, one a line, in list order.",
                       SingleDashWords::Letters);
    if (const auto exit = ParseCommandLine(parser, arguments, 0)) {
        return *exit;
    }
    for (const std::string& name : EnumerateMidiOutDevices()) {
        std::printf("%s\n", name.c_str());
    }
    std::fflush(stdout);
    return kExitOk;
}

}  // namespace kaz::cli
