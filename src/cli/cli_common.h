#pragma once

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/chart_encoding.h"
#include "chart/chord_diagram.h"
#include "chart/chord_numbers.h"
#include "chart/instrument.h"
#include "cli/command_line.h"
#include "harmony/spliced_text.h"
#include "language/compile_score.h"

namespace kaz::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitChartError = 1;
inline constexpr int kExitUsage = 2;

//! How a command takes a chart's text.
enum class ChartBytes {
    //! The file's own bytes, so that every offset is one of the file. A UTF-16 chart, whose bytes the
    //! language cannot read, is taken as UTF-8, and a UTF-8 chart without its byte order mark.
    AsInFile,
    //! The chart's text as UTF-8 whatever the file's encoding, for the commands that write it out as text.
    AsUtf8,
};

//! A chart as read from a file or standard input ("-").
struct ChartInput {
    std::string name;   //!< as given on the command line; shown in diagnostics
    std::string bytes;  //!< the bytes that are compiled
    //! How bytes store the text: Windows-1252 only for such a file read AsInFile, otherwise UTF-8.
    ChartEncoding encoding = ChartEncoding::Utf8;
};

//! Print "kaz-cli: message" on standard error and return the usage exit status.
int UsageError(std::string_view message);
//! The same for an output file that could not be written: the message the window shows too, then the
//! system's reason when there is one.
int CannotWrite(const std::string& path, const std::error_code& reason);

//! A whole number as the options take it: optional spaces around an optional sign and decimal digits.
[[nodiscard]] std::optional<long long> ParseWholeNumber(std::string_view text);

//! The --notation option, which the table has checked, into notation when it was given.
void ReadNotationOption(const CommandLine& parser, NotationMode& notation);

//! Check that the arguments given by position are as many as the command's table entry names; false after a
//! usage error has been printed.
[[nodiscard]] bool TakeArguments(const CommandLine& parser);

//! A chart command's options into settings (notation, tempo, voices, style and band), then its arguments.
//! Returns the exit status to end with when the command cannot go on, after a usage error has been printed.
[[nodiscard]] std::optional<int> ReadChartCommandLine(const CommandLine& parser, RenderSettings& settings);

//! The path of this program's file, its links followed; "./kaz-cli" when the system cannot tell.
[[nodiscard]] std::string ProgramPath();

//! The styles shipped with the program and the user's own, read once.
[[nodiscard]] std::shared_ptr<const StyleLibrary> ProgramStyles();
//! The styles into settings, and the --style and --seed options; false after a usage error has been printed.
[[nodiscard]] bool ReadStyleOption(const CommandLine& parser, RenderSettings& settings);

//! Read the chart at path, "-" for standard input; false after a file error has been printed.
[[nodiscard]] bool ReadChart(const std::string& path, ChartInput& chart,
                             ChartBytes taken = ChartBytes::AsInFile);

//! The column of the text at offset of the chart, counted in its characters from 1.
[[nodiscard]] std::size_t ChartColumn(const ChartInput& chart, int offset);
//! Where a diagnostic about the text at offset of the chart stands: "FILE:LINE:COLUMN".
[[nodiscard]] std::string DiagnosticPlace(const ChartInput& chart, int line, int offset);
//! Text of the chart as a message quotes it: as UTF-8 (a Windows-1252 chart's letters as written), its
//! control characters escaped.
[[nodiscard]] std::string QuotedChartText(const ChartInput& chart, std::string_view text);

//! Print why compiled, the compile of chart, failed: the diagnostic ("FILE:LINE:COLUMN: error: MESSAGE:
//! `TEXT`", or "FILE: error: Nothing to play") on standard error. Nothing for a compile that was accepted;
//! returns whether it was.
bool ReportCompile(const CompiledChart& compiled, const ChartInput& chart);
//! Read the chart at path and compile it with options into compiled. Returns the exit status to end with
//! when either fails, after its message has been printed.
[[nodiscard]] std::optional<int> ReadAndCompileChart(const std::string& path, const CompileOptions& options,
                                                     ChartInput& chart,
                                                     std::shared_ptr<const CompiledChart>& compiled,
                                                     ChartBytes taken = ChartBytes::AsInFile);

// The commands of the table that run in the program itself; each returns the exit status.
int RunCheck(const CommandLine& parser);
int RunEvents(const CommandLine& parser);
int RunExport(const CommandLine& parser);
int RunTranspose(const CommandLine& parser);
int RunStyles(const CommandLine& parser);
int RunExportPdf(const CommandLine& parser);
// Those of the device module.
int RunPlay(const CommandLine& parser);
int RunDevices(const CommandLine& parser);
int RunRender(const CommandLine& parser);
//! What export-pdf is given.
struct ExportPdfOptions {
    std::string chart;                     //!< the chart's path, "-" for standard input
    std::string out;                       //!< the PDF's path, "-" for standard output
    std::optional<Instrument> instrument;  //!< none for the chart's own instrument line
    std::optional<int> capo;               //!< none for the chart's own capo line
    ChordNumbers numbers = ChordNumbers::Letters;
    DiagramKind diagrams = DiagramKind::None;
    NotationMode notation = kEnglishNotation;
};
//! Write the chart as a lead sheet in a PDF; the exit status.
int ExportPdf(const ExportPdfOptions& options);

}  // namespace kaz::cli
