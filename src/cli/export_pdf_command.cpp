// kaz-cli export-pdf: the chart as a lead sheet in a PDF, through the PDF module that is loaded for it only.
#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/output_file.h"
#include "cli/cli_common.h"
#include "cli/pdf_module.h"

namespace kaz::cli {

namespace {

constexpr const char* kExportPdfUsage =
    "Usage: kaz-cli export-pdf FILE OUT.pdf [--instrument concert|Bb|Eb|F] [--notation "
    "english|german|mixed]\n"
    "\n"
    "Write the chart as a lead sheet in a PDF: a grid of measures with the chord symbols as text, the title\n"
    "and the instrument at the head of the pages. --instrument writes the chords out for a B-flat, E-flat or "
    "F\n"
    "instrument (also 'key NAME', e.g. 'key Eb', for the chart in another key); the default is concert "
    "pitch.\n"
    "FILE may be - for standard input, OUT.pdf - for standard output.\n";

//! The module beside the program in the build, in the library folder of an installation.
WriteChartPdfEntry LoadPdfModule(std::string& error) {
    std::error_code ignored;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
    for (const std::filesystem::path& path :
         {folder / "kaz-cli-pdf.so", folder / KAZ_CLI_MODULE_DIR / "kaz-cli-pdf.so"}) {
        // Kept loaded for the rest of the run: the module's Qt lives until the program ends.
        if (void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            return reinterpret_cast<WriteChartPdfEntry>(dlsym(module, kWriteChartPdfEntry));
        }
        error = dlerror();
    }
    return nullptr;
}

std::optional<NotationMode> NotationNamed(const std::string& name) {
    if (name == "english") {
        return kEnglishNotation;
    }
    if (name == "german") {
        return kGermanNotation;
    }
    if (name == "mixed") {
        return kMixedNotation;
    }
    return std::nullopt;
}

}  // namespace

int ExportPdf(const ExportPdfOptions& options) {
    CompileState state;
    state.settings.notation = options.notation;
    DiscardedEvents discarded;
    state.events.StreamTo(&discarded);
    ChartInput chart;
    if (const auto exit = ReadAndCompileChart(QString::fromStdString(options.chart), state, chart)) {
        return *exit;
    }
    std::string error;
    const WriteChartPdfEntry write = LoadPdfModule(error);
    if (write == nullptr) {
        return UsageError(
            QStringLiteral("cannot load the PDF writer: %1").arg(QString::fromStdString(error)));
    }
    const std::string title =
        options.chart == "-" ? std::string("Chart") : std::filesystem::path(options.chart).stem().string();
    std::string pdf;
    if (!write({chart.bytes, options.notation, options.instrument, title}, pdf, error)) {
        return UsageError(QString::fromStdString(error));
    }
    OutputFile out;
    const bool opened = options.out == "-" ? out.OpenStandardOutput() : out.Open(options.out);
    if (!opened || !out.Write(pdf) || !out.Commit()) {
        return UsageError(
            QStringLiteral("Cannot open file `%1` for writing!").arg(QString::fromStdString(options.out)));
    }
    return kExitOk;
}

int RunExportPdf(int argc, char** argv) {
    ExportPdfOptions options;
    std::vector<std::string> positionals;
    // argv[1] is the command's name.
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(kExportPdfUsage, stdout);
            return kExitOk;
        }
        const bool takesValue = argument == "--instrument" || argument == "--notation";
        if (takesValue && i + 1 >= argc) {
            return UsageError(QStringLiteral("%1 needs a value").arg(QString::fromStdString(argument)));
        }
        if (argument == "--instrument") {
            const std::string code = argv[++i];
            const std::optional<Instrument> instrument = InstrumentFromCode(code);
            if (!instrument) {
                return UsageError(
                    QStringLiteral("--instrument takes concert, Bb, Eb, F or 'key NAME', not '%1'")
                        .arg(QString::fromStdString(code)));
            }
            options.instrument = *instrument;
        } else if (argument == "--notation") {
            const std::string name = argv[++i];
            const std::optional<NotationMode> notation = NotationNamed(name);
            if (!notation) {
                return UsageError(QStringLiteral("--notation takes english, german or mixed, not '%1'")
                                      .arg(QString::fromStdString(name)));
            }
            options.notation = *notation;
        } else if (argument.size() > 1 && argument.front() == '-') {
            return UsageError(
                QStringLiteral("unknown option '%1'; see --help").arg(QString::fromStdString(argument)));
        } else {
            positionals.push_back(argument);
        }
    }
    if (positionals.size() != 2) {
        return UsageError(QStringLiteral("expected 2 argument(s) after the command, got %1; see --help")
                              .arg(positionals.size()));
    }
    options.chart = positionals[0];
    options.out = positionals[1];
    return ExportPdf(options);
}

}  // namespace kaz::cli
