#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "chart/instrument.h"
#include "harmony/spliced_text.h"
#include "language/compile_score.h"

namespace kaz::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitChartError = 1;
inline constexpr int kExitUsage = 2;

//! A chart as read from a file or standard input ("-").
struct ChartInput {
    QString name;       //!< as given on the command line; shown in diagnostics
    std::string bytes;  //!< the raw bytes that are compiled
};

//! Drops the performance as the compile makes it: for commands that need only the score, or only to know that
//! the chart compiles.
class DiscardedEvents final : public EventConsumer {
  public:
    void Take(std::span<const MidiEvent>) override {}
};

//! Print "kaz-cli: message" on standard error and return the usage exit status.
int UsageError(const QString& message);

//! Make a parser for a subcommand with the given usage line and the options every chart command takes.
void AddChartOptions(QCommandLineParser& parser);
//! Parse arguments (the subcommand first); false after a usage error has been printed.
[[nodiscard]] bool ParseArguments(QCommandLineParser& parser, const QStringList& arguments);
//! The positional arguments, exactly count of them; false after a usage error has been printed.
[[nodiscard]] bool TakePositionals(const QCommandLineParser& parser, int count, QStringList& positionals);
//! A chart command's arguments: the notation, tempo and voice options into settings, then exactly count
//! positional arguments. Returns the exit status to end with when the command cannot go on: 0 after --help,
//! 2 after a usage error has been printed.
[[nodiscard]] std::optional<int> ReadChartCommandLine(QCommandLineParser& parser,
                                                      const QStringList& arguments, int count,
                                                      RenderSettings& settings, QStringList& positionals);

//! Read the chart at path, "-" for standard input; false after a file error has been printed.
[[nodiscard]] bool ReadChart(const QString& path, ChartInput& chart);

//! Compile the chart; on failure print the diagnostic ("FILE:LINE: error: MESSAGE: `TEXT`" or
//! "FILE: error: Nothing to play") on standard error.
[[nodiscard]] bool CompileChart(CompileState& state, const ChartInput& chart);
//! Read the chart at path and compile it. Returns the exit status to end with when either fails, after its
//! message has been printed.
[[nodiscard]] std::optional<int> ReadAndCompileChart(const QString& path, CompileState& state,
                                                     ChartInput& chart);

// The subcommands; each takes its arguments with the subcommand's name first and returns the exit status.
int RunCheck(const QStringList& arguments);
int RunEvents(const QStringList& arguments);
int RunExport(const QStringList& arguments);
int RunTranspose(const QStringList& arguments);
int RunPlay(const QStringList& arguments);
int RunDevices(const QStringList& arguments);
int RunRender(const QStringList& arguments);
//! What export-pdf is given.
struct ExportPdfOptions {
    std::string chart;  //!< the chart's path, "-" for standard input
    std::string out;    //!< the PDF's path, "-" for standard output
    Instrument instrument;
    NotationMode notation = kEnglishNotation;
};
//! Write the chart as a lead sheet in a PDF; the exit status.
int ExportPdf(const ExportPdfOptions& options);
//! export-pdf from the program's own arguments, before any Qt application is made: the PDF module makes one
//! of its own for the fonts.
int RunExportPdf(int argc, char** argv);
//! play, devices or render, from the device module that is loaded for them only.
int RunDeviceCommand(const QStringList& arguments);

}  // namespace kaz::cli
