#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "cli/cli_common.h"
// The module that this program loads brings RtMidi along.
#include "midi/device/leak_suppressions.h"

namespace kaz::cli {

namespace {

//! The folder this program was started from, its links followed.
std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path) {
        return ".";
    }
    const std::string program(path, static_cast<std::size_t>(length));
    return program.substr(0, program.rfind('/'));
}

}  // namespace

int RunDeviceCommand(int argc, char* argv[]) {
    // Beside the program in the build, in the library folder of an installation.
    const std::string folder = ProgramFolder();
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
