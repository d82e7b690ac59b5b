// The entry of the device module: the commands that play, list or render through the MIDI and audio devices.
#include "cli/cli_common.h"

// It takes the program's own argc and argv, so that nothing of the C++ library crosses into the module.
extern "C" __attribute__((visibility("default"))) int KazRunDeviceCommand(int argc, char* argv[]) {
    const kaz::cli::CommandArguments arguments{argv[0], {argv + 1, argv + argc}};
    const std::string& command = arguments.words.front();
    if (command == "play") {
        return kaz::cli::RunPlay(arguments);
    }
    if (command == "devices") {
        return kaz::cli::RunDevices(arguments);
    }
    return kaz::cli::RunRender(arguments);
}
