#include <cstdio>

#include "base/control_characters.h"
#include "base/input_file.h"
#include "cli/cli_common.h"
#include "cli/interchange_commands.h"
#include "interchange/chart_folder.h"
#include "interchange/chart_text_writer.h"
#include "interchange/import_check.h"
#include "interchange/song_import.h"

namespace kaz::cli {

namespace {

// A song's title and a file's name are anyone's text: shown with their control characters escaped.
void Say(const std::string& name, const char* kind, const std::string& message) {
    std::fprintf(stderr, "%s: %s: %s\n", EscapeControlCharacters(name).c_str(), kind,
                 EscapeControlCharacters(message).c_str());
}

int WriteChartsInto(const std::string& folder, const ImportedSongs& imported, bool force) {
    const FolderWriting writing = WriteChartsIntoFolder(folder, imported.songs, force);
    for (const auto& path : writing.written) {
        std::printf("%s\n", path.string().c_str());
    }
    std::fflush(stdout);
    for (const std::string& failure : writing.failures) {
        std::fprintf(stderr, "kaz-cli: %s%s\n", failure.c_str(),
                     failure.ends_with("exists and is kept") ? "; --force replaces it" : "");
    }
    return writing.failures.empty() ? kExitOk : kExitUsage;
}

}  // namespace

int Import(const ImportOptions& options) {
    const InputFile input = options.file == "-" ? ReadStandardInput(kMaxImportBytes)
                                                : ReadWholeFile(options.file, kMaxImportBytes);
    if (!input.Read()) {
        std::fprintf(stderr, "kaz-cli: %s\n", input.error.c_str());
        return kExitUsage;
    }
    ImportedSongs imported = ImportSongs(options.file, input.bytes);
    if (!imported.Read()) {
        Say(options.file, "error", imported.error.English());
        return kExitUsage;
    }
    // With no progress to cancel it, the check runs to its end.
    static_cast<void>(KeepChartsThatOpen(imported, ProgramStyles()));
    if (imported.songs.empty() && imported.problems.size() == 1) {
        Say(options.file, "error", imported.problems.front().English());
        return kExitChartError;
    }
    for (const std::string& problem : InEnglish(imported.problems)) {
        Say(options.file, "warning", problem + "; left out");
    }
    if (imported.songs.empty()) {
        Say(options.file, "error", "none of its songs can be written as a chart");
        return kExitChartError;
    }
    if (!options.into.empty()) {
        return WriteChartsInto(options.into, imported, options.force);
    }
    if (imported.songs.size() > 1) {
        Say(options.file, "error",
            "holds " + std::to_string(imported.songs.size()) +
                " songs; --into DIR writes one chart for each");
        return kExitUsage;
    }
    const std::string text = WriteChartText(imported.songs.front());
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        std::fputs("kaz-cli: cannot write to standard output\n", stderr);
        return kExitUsage;
    }
    return kExitOk;
}

int RunImport(const CommandLine& parser) {
    if (!TakeArguments(parser)) {
        return kExitUsage;
    }
    ImportOptions options;
    options.file = parser.Positionals().front();
    options.into = parser.Value("into");
    options.force = parser.IsSet("force");
    return Import(options);
}

}  // namespace kaz::cli
