// The entry of the device module: the commands that play, list or render through the MIDI and audio devices.
#include "cli/cli_common.h"

// It takes the program's own argc and argv, so that nothing of the C++ library crosses into the module.
extern "C" __attribute__((visibility("default"))) int KazRunDeviceCommand(int argc, char* argv[]) {
    using namespace kaz::cli;
    const CommandRunner runners[] = {{"play", RunPlay}, {"devices", RunDevices}, {"render", RunRender}};
    return RunCommand(argc, argv, runners);
}
