#pragma once

#include <optional>
#include <string>

#include "cli/command_line.h"
#include "harmony/notation.h"
#include "interchange/lead_sheet.h"

namespace kaz::cli {

//! kaz-cli import FILE [--into DIR] [--force]
struct ImportOptions {
    std::string file;    //!< iReal Pro links (HTML, text), MusicXML, .mxl or ChordPro; "-" for standard input
    std::string into;    //!< the folder for one chart a song; empty to print a single song
    bool force = false;  //!< replace charts of the same name
};
int Import(const ImportOptions& options);

//! kaz-cli export-ireal FILE [OUT.html], export-musicxml FILE [OUT.musicxml], export-chordpro FILE [OUT.cho]
struct SongExportOptions {
    std::string file;                          //!< the chart, "-" for standard input
    std::string out = "-";                     //!< the file to write, "-" for standard output
    NotationMode notation = kEnglishNotation;  //!< how the chart's B and H are read where it does not tell
};
int ExportIreal(const SongExportOptions& options);
int ExportMusicXml(const SongExportOptions& options);
int ExportChordPro(const SongExportOptions& options);

//! Read and compile the chart of an export and read it back as a lead sheet. Returns the exit status to end
//! with when it cannot be exported, after its message has been printed.
[[nodiscard]] std::optional<int> ReadSongForExport(const SongExportOptions& options, LeadSheet& song);
//! Write an export's bytes to options.out; the exit status.
int WriteExport(const SongExportOptions& options, const std::string& bytes);
//! The arguments of an export command: FILE and an optional OUT. Returns the exit status to end with when the
//! command cannot go on.
[[nodiscard]] std::optional<int> ReadExportArguments(const CommandLine& parser, SongExportOptions& options);

// The same from the parsed command line.
int RunImport(const CommandLine& parser);
int RunExportIreal(const CommandLine& parser);
int RunExportMusicXml(const CommandLine& parser);
int RunExportChordPro(const CommandLine& parser);

}  // namespace kaz::cli
