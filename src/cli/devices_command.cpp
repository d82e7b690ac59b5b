#include <cstdio>

#include "cli/cli_common.h"
#include "midi/device/system_outputs.h"

namespace kaz::cli {

int RunDevices(const CommandLine& parser) {
    if (!TakeArguments(parser)) {
        return kExitUsage;
    }
    for (const std::string& name : EnumerateMidiOutDevices()) {
        std::printf("%s\n", name.c_str());
    }
    std::fflush(stdout);
    return kExitOk;
}

}  // namespace kaz::cli
