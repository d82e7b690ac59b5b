#include "cli/cli_modules.h"

#include "base/program_modules.h"
#include "cli/cli_common.h"
// A module that this program loads may bring RtMidi along.
#include "midi/device/leak_suppressions.h"

namespace kaz::cli {

int RunModuleCommand(const char* module, const char* entry, const char* what, int argc, char* argv[]) {
    std::string error;
    void* found = LoadModuleEntry(ProgramPath(), module, entry, error);
    if (found == nullptr) {
        return UsageError(std::string("cannot load ") + what + ": " + error);
    }
    using Command = int (*)(int, char*[]);
    return reinterpret_cast<Command>(found)(argc, argv);
}

}  // namespace kaz::cli
