#pragma once

#include <string>

namespace kaz {

//! The entry of one of the program's own modules, which bring the libraries only some of its work needs
//! (the MIDI and audio devices, the PDF writer, XML and zip), so that the program starts without them. The
//! module is looked for beside the program (a build) and in the library folder of an installation; it stays
//! loaded for the rest of the run, and loading it again only finds it. program is the path of the program's
//! own file. nullptr, with the reason in error, when it cannot be loaded.
[[nodiscard]] void* LoadModuleEntry(const std::string& program, const char* module, const char* entry,
                                    std::string& error);

}  // namespace kaz
