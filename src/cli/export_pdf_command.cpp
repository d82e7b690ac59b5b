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
    DiscardedEvents discarded;
    CompileOptions compileOptions;
    compileOptions.stream = &discarded;
    compileOptions.settings.notation = options.notation;
    std::shared_ptr<const CompiledChart> compiled;
    if (const auto exit = ReadAndCompileChart(options.chart, compileOptions, compiled)) {
        return *exit;
    }
    std::string error;
    const auto write = reinterpret_cast<WriteChartPdfEntry>(
        LoadModuleEntry(ProgramPath(), "kaz-cli-pdf.so", kWriteChartPdfEntry, error));
    if (write == nullptr) {
        return UsageError("cannot load the PDF writer: " + error);
    }
    const std::string title =
        options.chart == "-" ? std::string("Chart") : std::filesystem::path(options.chart).stem().string();
    std::string pdf;
    if (!write({compiled->text, options.notation, options.instrument, title}, pdf, error)) {
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
                      "the chart in another key (default concert)."});
    parser.AddOption(
        {"notation", "notation", "How B and H are read: english, german or mixed (default english)."});
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
