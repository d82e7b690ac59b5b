#pragma once

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "chart/instrument.h"
#include "cli/command_line.h"
#include "harmony/spliced_text.h"
#include "language/compile_score.h"

namespace kaz::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitChartError = 1;
inline constexpr int kExitUsage = 2;

//! A chart as read from a file or standard input ("-").
struct ChartInput {
    std::string name;   //!< as given on the command line; shown in diagnostics
    std::string bytes;  //!< the raw bytes that are compiled; the compile takes them
};

//! Drops the performance as the compile makes it: for commands that need only the score, or only to know that
//! the chart compiles.
class DiscardedEvents final : public EventConsumer {
  public:
    void Take(std::span<const MidiEvent>) override {}
    [[nodiscard]] bool TakesHighlights() const override { return false; }
};

//! Print "kaz-cli: message" on standard error and return the usage exit status.
int UsageError(std::string_view message);
//! The same for an output file that could not be written: the message the window shows too, then the
//! system's reason when there is one.
int CannotWrite(const std::string& path, const std::error_code& reason);

//! A whole number as the options take it: optional spaces around an optional sign and decimal digits.
[[nodiscard]] std::optional<long long> ParseWholeNumber(std::string_view text);

//! The --notation option into notation; false after a usage error has been printed.
[[nodiscard]] bool ReadNotationOption(const CommandLine& parser, NotationMode& notation);

//! The exit status a parse ends the command with: none when it parsed, 0 after --help, 2 after a usage error.
[[nodiscard]] std::optional<int> ExitOf(CommandLine::Outcome outcome);

//! Add the options every chart command takes.
void AddChartOptions(CommandLine& parser);
//! Add the options of how the band plays a style, as Settings > Style... sets them, for the commands that
//! play the chart: --drums-volume, --swing and --human-feel.
void AddBandOptions(CommandLine& parser);
//! Parse arguments (the subcommand first) and take exactly count positional arguments. Returns the exit
//! status to end with when the command cannot go on: 0 after --help, 2 after a usage error has been printed.
[[nodiscard]] std::optional<int> ParseCommandLine(CommandLine& parser, const CommandArguments& arguments,
                                                  std::size_t count);
//! The count of positional arguments of a command that takes one or more.
inline constexpr std::size_t kOneOrMore = std::numeric_limits<std::size_t>::max();

//! A chart command's arguments: the notation, tempo, voice, style and band options into settings, then
//! exactly count positional arguments (or kOneOrMore). Returns the exit status to end with when the command
//! cannot go on, as above.
[[nodiscard]] std::optional<int> ReadChartCommandLine(CommandLine& parser, const CommandArguments& arguments,
                                                      std::size_t count, RenderSettings& settings);

//! The path of this program's file, its links followed; "./kaz-cli" when the system cannot tell.
[[nodiscard]] std::string ProgramPath();

//! The styles shipped with the program and the user's own, read once.
[[nodiscard]] std::shared_ptr<const StyleLibrary> ProgramStyles();
//! The styles into settings, and the --style and --seed options; false after a usage error has been printed.
[[nodiscard]] bool ReadStyleOption(const CommandLine& parser, RenderSettings& settings);

//! Read the chart at path, "-" for standard input; false after a file error has been printed.
[[nodiscard]] bool ReadChart(const std::string& path, ChartInput& chart);

//! Print why compiled failed, the chart's compile: the diagnostic ("FILE:LINE: error: MESSAGE: `TEXT`", with
//! the column "FILE:LINE:COLUMN: error: ...", or "FILE: error: Nothing to play") on standard error, the
//! chart's control characters escaped. Nothing for a compile that was accepted; returns whether it was.
bool ReportCompile(const CompiledChart& compiled, const std::string& chartName, bool withColumn = false);
//! Read the chart at path and compile it with options into compiled. Returns the exit status to end with
//! when either fails, after its message has been printed.
[[nodiscard]] std::optional<int> ReadAndCompileChart(const std::string& path, const CompileOptions& options,
                                                     std::shared_ptr<const CompiledChart>& compiled);

// The subcommands; each takes its arguments with the subcommand's name first and returns the exit status.
int RunCheck(const CommandArguments& arguments);
int RunEvents(const CommandArguments& arguments);
int RunExport(const CommandArguments& arguments);
int RunTranspose(const CommandArguments& arguments);
int RunPlay(const CommandArguments& arguments);
int RunDevices(const CommandArguments& arguments);
int RunRender(const CommandArguments& arguments);
int RunStyles(const CommandArguments& arguments);
//! What export-pdf is given.
struct ExportPdfOptions {
    std::string chart;  //!< the chart's path, "-" for standard input
    std::string out;    //!< the PDF's path, "-" for standard output
    Instrument instrument;
    NotationMode notation = kEnglishNotation;
};
//! Write the chart as a lead sheet in a PDF; the exit status.
int ExportPdf(const ExportPdfOptions& options);
int RunExportPdf(const CommandArguments& arguments);

}  // namespace kaz::cli
