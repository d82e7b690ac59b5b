#include <dlfcn.h>

#include <string>

#include "cli/cli_common.h"
// The module that this program loads brings RtMidi along.
#include "midi/device/leak_suppressions.h"

namespace kaz::cli {

int RunDeviceCommand(int argc, char* argv[]) {
    // Beside the program in the build, in the library folder of an installation.
    const std::string program = ProgramPath();
    const std::string folder = program.substr(0, program.rfind('/'));
    void* module = dlopen((folder + "/kaz-cli-devices.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const std::string installed = folder + "/" KAZ_CLI_MODULE_DIR "/kaz-cli-devices.so";
        module = dlopen(installed.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            return UsageError("cannot load the device commands: Cannot load library " + installed + ": " +
                              dlerror());
        }
    }
    using Command = int (*)(int, char*[]);
    const auto run = reinterpret_cast<Command>(dlsym(module, "KazRunDeviceCommand"));
    if (run == nullptr) {
        return UsageError(std::string("cannot load the device commands: ") + dlerror());
    }
    return run(argc, argv);
}

}  // namespace kaz::cli
