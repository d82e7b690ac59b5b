// kaz-cli export-pdf: the chart, or the songs of a set list, as lead sheets in a PDF, through the PDF module
// that is loaded for it only.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/chart_encoding.h"
#include "base/input_file.h"
#include "base/output_file.h"
#include "base/program_modules.h"
#include "chart/capo.h"
#include "chart/set_list.h"
#include "cli/cli_common.h"
#include "cli/pdf_module.h"

namespace kaz::cli {

namespace {

//! The part a chart is printed for: the options' instrument and capo, else the chart's own lines.
ChartPart PartOf(const ExportPdfOptions& options, std::string_view chart) {
    return {options.instrument.value_or(InstrumentOfChart(chart)), options.capo.value_or(CapoOfChart(chart)),
            options.numbers};
}

CompileOptions PdfCompileOptions(const ExportPdfOptions& options) {
    CompileOptions compileOptions;
    compileOptions.settings.notation = options.notation;
    // A chart that names a style compiles only with the styles at hand.
    compileOptions.settings.style.library = ProgramStyles();
    return compileOptions;
}

//! The PDF of request written to options.out; the exit status, worst for what was said before.
int WritePdf(const ExportPdfOptions& options, const std::string& program, const PdfRequest& request,
             int status) {
    std::string error;
    const auto write = reinterpret_cast<WriteChartPdfEntry>(
        LoadModuleEntry(program, "kaz-cli-pdf.so", kWriteChartPdfEntry, error));
    if (write == nullptr) {
        return UsageError("cannot load the PDF writer: " + error);
    }
    std::string pdf;
    if (!write(request, pdf, error)) {
        return UsageError(error);
    }
    OutputFile out;
    const bool opened = options.out == "-" ? out.OpenStandardOutput() : out.Open(options.out);
    if (!opened || !out.Write(pdf) || !out.Commit()) {
        return CannotWrite(options.out, out.Error());
    }
    return status;
}

//! The songs of a set list, each printed from a page of its own after a contents page: in the key the list
//! gives it, else for the options' or the chart's own instrument. A song whose chart cannot be read or does
//! not compile is left out after its message, and the status says so.
int ExportSetPdf(const ExportPdfOptions& options, const std::string& program) {
    const InputFile input = ReadWholeFile(options.chart);
    if (!input.Read()) {
        return UsageError(input.error);
    }
    const SetList list = ReadSetList(DecodeChartBytes(input.bytes).text);
    for (const std::string& problem : InEnglish(list.problems)) {
        std::fprintf(stderr, "%s: warning: %s\n", options.chart.c_str(), problem.c_str());
    }
    CompileOptions compileOptions = PdfCompileOptions(options);
    DiscardedEvents discarded;
    compileOptions.stream = &discarded;
    const std::string stem = std::filesystem::path(options.chart).stem().string();
    std::vector<ChartInput> charts;
    std::vector<std::string> titles;
    std::vector<const SetListSong*> songs;
    int status = kExitOk;
    for (const SetListSong& song : list.songs) {
        ChartInput chart;
        std::shared_ptr<const CompiledChart> compiled;
        const std::string path = SongPath(options.chart, song);
        if (ReadAndCompileChart(path, compileOptions, chart, compiled, ChartBytes::AsUtf8)) {
            std::fprintf(stderr, "%s: warning: left out of the set: %s\n", options.chart.c_str(),
                         path.c_str());
            status = kExitChartError;
            continue;
        }
        charts.push_back(std::move(chart));
        titles.push_back(std::filesystem::path(path).stem().string());
        songs.push_back(&song);
    }
    if (charts.empty()) {
        std::fprintf(stderr, "%s: error: no song of the set list can be printed\n", options.chart.c_str());
        return list.songs.empty() ? kExitUsage : kExitChartError;
    }
    PdfRequest request{
        {}, true, list.title.empty() ? stem : list.title, options.notation, options.diagrams, program};
    for (std::size_t i = 0; i < charts.size(); ++i) {
        request.songs.push_back(
            {charts[i].bytes, PartOf(options, charts[i].bytes), titles[i], songs[i]->tempo, songs[i]});
    }
    return WritePdf(options, program, request, status);
}

}  // namespace

int ExportPdf(const ExportPdfOptions& options) {
    const std::string program = ProgramPath();
    if (IsSetListFile(options.chart)) {
        return ExportSetPdf(options, program);
    }
    CompileOptions compileOptions = PdfCompileOptions(options);
    DiscardedEvents discarded;
    compileOptions.stream = &discarded;
    ChartInput chart;
    std::shared_ptr<const CompiledChart> compiled;
    // The sheet shows the chart's title and texts, which it draws from UTF-8.
    if (const auto exit =
            ReadAndCompileChart(options.chart, compileOptions, chart, compiled, ChartBytes::AsUtf8)) {
        return *exit;
    }
    const std::string title =
        options.chart == "-" ? std::string("Chart") : std::filesystem::path(options.chart).stem().string();
    const PdfRequest request{{{compiled->text, PartOf(options, compiled->text), title, 0}},
                             false,
                             {},
                             options.notation,
                             options.diagrams,
                             program};
    return WritePdf(options, program, request, kExitOk);
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
