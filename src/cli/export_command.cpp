#include "cli/cli_common.h"
#include "midi/midi_file_writer.h"

namespace kaz::cli {

int RunExport(const CommandArguments& arguments) {
    CommandLine parser("Write the performance of a chart as a Standard MIDI File.",
                       SingleDashWords::LongOptions);
    parser.AddPositional("FILE", "The chart, or - for standard input.");
    parser.AddPositional("OUT.mid",
                         "The MIDI file to write, or - for standard output; an existing file is replaced.");
    AddChartOptions(parser);
    AddBandOptions(parser);
    CompileOptions options;
    if (const auto exit = ReadChartCommandLine(parser, arguments, 2, options.settings)) {
        return *exit;
    }
    const std::string& out = parser.Positionals().at(1);
    // The file is written while the chart compiles, so the song is never held whole.
    MidiFileExport file(out, out == "-");
    options.stream = &file;
    ChartInput chart;
    std::shared_ptr<const CompiledChart> compiled;
    if (const auto exit = ReadAndCompileChart(parser.Positionals().front(), options, chart, compiled)) {
        return *exit;
    }
    if (!file.Close()) {
        return CannotWrite(out, file.Error());
    }
    return kExitOk;
}

}  // namespace kaz::cli
