// kaz-cli export-pdf: the chart as a lead sheet in a PDF, through the PDF module that is loaded for it only.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/output_file.h"
#include "base/program_modules.h"
#include "cli/cli_common.h"
#include "cli/pdf_module.h"

namespace kaz::cli {

int ExportPdf(const ExportPdfOptions& options) {
    CompileOptions compileOptions;
    compileOptions.settings.notation = options.notation;
    // A chart that names a style compiles only with the styles at hand.
    compileOptions.settings.style.library = ProgramStyles();
    DiscardedEvents discarded;
    compileOptions.stream = &discarded;
    ChartInput chart;
    std::shared_ptr<const CompiledChart> compiled;
    // The sheet shows the chart's title and texts, which it draws from UTF-8.
    if (const auto exit =
            ReadAndCompileChart(options.chart, compileOptions, chart, compiled, ChartBytes::AsUtf8)) {
        return *exit;
    }
    std::string error;
    const std::string program = ProgramPath();
    const auto write = reinterpret_cast<WriteChartPdfEntry>(
        LoadModuleEntry(program, "kaz-cli-pdf.so", kWriteChartPdfEntry, error));
    if (write == nullptr) {
        return UsageError("cannot load the PDF writer: " + error);
    }
    const std::string title =
        options.chart == "-" ? std::string("Chart") : std::filesystem::path(options.chart).stem().string();
    std::string pdf;
    // The chart's own instrument line is the default; the option overrides it.
    const Instrument instrument = options.instrument.value_or(InstrumentOfChart(compiled->text));
    if (!write({compiled->text, options.notation, instrument, title, program}, pdf, error)) {
        return UsageError(error);
    }
    OutputFile out;
    const bool opened = options.out == "-" ? out.OpenStandardOutput() : out.Open(options.out);
    if (!opened || !out.Write(pdf) || !out.Commit()) {
        return CannotWrite(options.out, out.Error());
    }
    return kExitOk;
}

int RunExportPdf(const CommandArguments& arguments) {
    CommandLine parser(
        "Write the chart as a lead sheet in a PDF: a grid of measures with the chord symbols as "
        "text, the title and the instrument at the head of the pages.",
        SingleDashWords::LongOptions);
    parser.AddPositional("FILE", "The chart, or - for standard input.");
    parser.AddPositional("OUT", "The PDF, or - for standard output.");
    parser.AddOption({"instrument", "instrument",
                      "Write the chords out for a Bb, Eb or F instrument, or 'key NAME' (e.g. 'key Eb') for "
                      "the chart in another key (default the chart's own #kaz:instrument= line, or "
                      "concert)."});
    AddNotationOption(parser);
    if (const auto exit = ParseCommandLine(parser, arguments, 2)) {
        return *exit;
    }
    ExportPdfOptions options;
    if (parser.IsSet("instrument")) {
        const std::string code = parser.Value("instrument");
        const std::optional<Instrument> instrument = InstrumentFromCode(code);
        if (!instrument) {
            return UsageError("--instrument takes concert, Bb, Eb, F or 'key NAME', not '" + code + "'");
        }
        options.instrument = *instrument;
    }
    if (!ReadNotationOption(parser, options.notation)) {
        return kExitUsage;
    }
    options.chart = parser.Positionals()[0];
    options.out = parser.Positionals()[1];
    return ExportPdf(options);
}

}  // namespace kaz::cli
