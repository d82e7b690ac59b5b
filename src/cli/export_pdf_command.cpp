// kaz-cli export-pdf: the chart as a lead sheet in a PDF, through the PDF module that is loaded for it only.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/output_file.h"
#include "base/program_modules.h"
#include "chart/capo.h"
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
    // The chart's own instrument and capo lines are the default; the options override them.
    const ChartPart part{options.instrument.value_or(InstrumentOfChart(compiled->text)),
                         options.capo.value_or(CapoOfChart(compiled->text)), options.numbers};
    if (!write({compiled->text, options.notation, part, options.diagrams, title, program}, pdf, error)) {
        return UsageError(error);
    }
    OutputFile out;
    const bool opened = options.out == "-" ? out.OpenStandardOutput() : out.Open(options.out);
    if (!opened || !out.Write(pdf) || !out.Commit()) {
        return CannotWrite(options.out, out.Error());
    }
    return kExitOk;
}

int RunExportPdf(const CommandLine& parser) {
    if (!TakeArguments(parser)) {
        return kExitUsage;
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
    if (parser.IsSet("capo")) {
        // The table checked the range.
        options.capo = static_cast<int>(ParseWholeNumber(parser.Value("capo")).value_or(0));
    }
    if (parser.IsSet("numbers")) {
        options.numbers = ChordNumbersFromCode(parser.Value("numbers")).value_or(ChordNumbers::Letters);
    }
    if (parser.IsSet("diagrams")) {
        options.diagrams = DiagramKindFromCode(parser.Value("diagrams")).value_or(DiagramKind::None);
    }
    ReadNotationOption(parser, options.notation);
    options.chart = parser.Positionals()[0];
    options.out = parser.Positionals()[1];
    return ExportPdf(options);
}

}  // namespace kaz::cli
