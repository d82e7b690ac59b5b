#include <cstdio>

#include "cli/cli_common.h"
#include "midi/device/system_outputs.h"

namespace kaz::cli {

int RunDevices(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "List the MIDI outputs 'play --device' can use, one a line, in list order.");
    parser.addHelpOption();
    QStringList positionals;
    if (!ParseArguments(parser, arguments) || !TakePositionals(parser, 0, positionals)) {
        return parser.isSet("help") ? kExitOk : kExitUsage;
    }
    for (const std::string& name : EnumerateMidiOutDevices()) {
        std::printf("%s\n", name.c_str());
    }
    std::fflush(stdout);
    return kExitOk;
}

}  // namespace kaz::cli
