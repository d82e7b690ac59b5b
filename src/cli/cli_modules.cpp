#include "cli/cli_modules.h"

#include <dlfcn.h>

#include "cli/cli_common.h"
// A module that this program loads may bring RtMidi along.
#include "midi/device/leak_suppressions.h"

namespace kaz::cli {

void* LoadModuleEntry(const char* module, const char* entry, std::string& error) {
    const std::string program = ProgramPath();
    const std::string folder = program.substr(0, program.rfind('/'));
    for (const std::string& path :
         {folder + "/" + module, folder + "/" KAZ_CLI_MODULE_DIR "/" + std::string(module)}) {
        if (void* loaded = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            void* found = dlsym(loaded, entry);
            if (found == nullptr) {
                error = dlerror();
            }
            return found;
        }
        error = dlerror();
    }
    return nullptr;
}

int RunModuleCommand(const char* module, const char* entry, const char* what, int argc, char* argv[]) {
    std::string error;
    void* found = LoadModuleEntry(module, entry, error);
    if (found == nullptr) {
        return UsageError(std::string("cannot load ") + what + ": " + error);
    }
    using Command = int (*)(int, char*[]);
    return reinterpret_cast<Command>(found)(argc, argv);
}

}  // namespace kaz::cli
