#pragma once

namespace kaz::cli {

//! Run the command the program was started with through the entry of one of kaz-cli's own modules (see
//! LoadModuleEntry), an int(int argc, char* argv[]): the program's own arguments, so that nothing of the C++
//! library crosses into the module. what names the module's commands in the message when it cannot be loaded.
int RunModuleCommand(const char* module, const char* entry, const char* what, int argc, char* argv[]);

}  // namespace kaz::cli
