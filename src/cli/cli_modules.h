#pragma once

#include <string>

namespace kaz::cli {

//! The entry of one of kaz-cli's own modules, which bring the libraries only some commands need (devices and
//! sound, the PDF writer, XML and zip), so that the other commands start without them. The module is found
//! beside the program in the build and in the library folder of an installation, and stays loaded for the
//! rest of the run. nullptr, with the reason in error, when it cannot be loaded.
[[nodiscard]] void* LoadModuleEntry(const char* module, const char* entry, std::string& error);

//! Run the command the program was started with through a module's entry, an int(int argc, char* argv[]):
//! the program's own arguments, so that nothing of the C++ library crosses into the module. what names the
//! module's commands in the message when it cannot be loaded.
int RunModuleCommand(const char* module, const char* entry, const char* what, int argc, char* argv[]);

}  // namespace kaz::cli
