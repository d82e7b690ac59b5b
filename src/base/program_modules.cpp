#include "base/program_modules.h"

#include <dlfcn.h>

namespace kaz {

void* LoadModuleEntry(const std::string& program, const char* module, const char* entry, std::string& error) {
    const std::string folder = program.substr(0, program.rfind('/') + 1);
    const char* why = nullptr;
    for (const std::string& path : {folder + module, folder + KAZ_MODULE_DIR "/" + module}) {
        if (void* loaded = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            void* found = dlsym(loaded, entry);
            if (found == nullptr) {
                error = dlerror();
            }
            return found;
        }
        why = dlerror();
    }
    error = why;
    return nullptr;
}

}  // namespace kaz
