#pragma once

#include "interchange/musicxml_writer.h"
#include "interchange/song_import.h"

namespace kaz {

//! What the window takes of the song files that need the XML and zip libraries, which it loads as a module
//! of their own when it first imports or writes MusicXML, so that it starts without them. The window and
//! the module are built together, so the table holds the functions themselves.
struct InterchangeModule {
    decltype(&ImportSongs) importSongs;
    decltype(&WriteMusicXml) writeMusicXml;
    decltype(&MusicXmlDifferences) musicXmlDifferences;
};

//! The module's file and its entry, a const InterchangeModule*().
inline constexpr const char* kInterchangeModuleFile = "kaz-interchange.so";
inline constexpr const char* kInterchangeModuleEntry = "KazInterchangeModule";

}  // namespace kaz
