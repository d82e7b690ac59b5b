#include "cli/cli_common.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <utility>

#include "base/character_column.h"
#include "base/control_characters.h"
#include "base/input_file.h"

namespace kaz::cli {

namespace {

void PrintError(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
}

struct RangedOption {
    const char* name;
    int low;
    int high;
};

//! Read an integer option within [low, high]; absent leaves value alone.
template <typename T>
bool ReadRanged(const CommandLine& parser, const RangedOption& option, T& value) {
    if (!parser.IsSet(option.name)) {
        return true;
    }
    const std::string text = parser.Value(option.name);
    const std::optional<long long> number = ParseWholeNumber(text);
    if (!number || *number < option.low || *number > option.high) {
        UsageError("--" + std::string(option.name) + " takes a whole number from " +
                   std::to_string(option.low) + " to " + std::to_string(option.high) + ", not '" + text +
                   "'");
        return false;
    }
    value = static_cast<T>(*number);
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

int UsageError(std::string_view message) {
    PrintError("kaz-cli: " + std::string(message) + "\n");
    return kExitUsage;
}

int CannotWrite(const std::string& path, const std::error_code& reason) {
    return UsageError("Cannot open file `" + path + "` for writing!" +
                      (reason ? " " + reason.message() : ""));
}

std::optional<long long> ParseWholeNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

void AddNotationOption(CommandLine& parser) {
    parser.AddOption({"notation", "notation",
                      "How B and H are read where the chart does not tell by its own B, Bb and H: english, "
                      "german or mixed (default english)."});
}

void AddChartOptions(CommandLine& parser) {
    AddNotationOption(parser);
    parser.AddOption({"tempo", "bpm", "The transport tempo, 20..300 (default 120)."});
    parser.AddOption({"chords-program", "program", "Instrument of the chord voice, 0..127 (default 26)."});
    parser.AddOption({"bass-program", "program", "Instrument of the bass voice, 0..127 (default 32)."});
    parser.AddOption({"chords-volume", "volume", "Volume of the chord voice, 0..127 (default 80)."});
    parser.AddOption({"bass-volume", "volume", "Volume of the bass voice, 0..127 (default 75)."});
    parser.AddOption({"no-chords", "", "Leave the chord voice silent."});
    parser.AddOption({"no-bass", "", "Leave the bass voice silent."});
    parser.AddOption(
        {"style", "name", "The accompaniment style where the chart names none (default the block chords)."});
    parser.AddOption({"seed", "number",
                      "Which take of the style's small variations the band plays: the same number always "
                      "plays the same performance (default 1)."});
}

void AddBandOptions(CommandLine& parser) {
    parser.AddOption({"drums-volume", "percent",
                      "The drums' volume in percent of the style's own, 0..200 (default 100; 0 leaves the "
                      "drums out)."});
    parser.AddOption({"swing", "percent",
                      "The share of a beat the first of two eighths takes, in every style: 50..75 (50 plays "
                      "them even, 67 as triplets), or style for each style's own (the default)."});
    parser.AddOption({"human-feel", "percent",
                      "How much the band varies the timing and strength of its notes, 0..100 (default 100; "
                      "0 plays every note exactly on time and as written)."});
}

bool ReadNotationOption(const CommandLine& parser, NotationMode& notation) {
    if (!parser.IsSet("notation")) {
        return true;
    }
    const std::string name = parser.Value("notation");
    const std::optional<NotationMode> named = NotationFromWord(name);
    if (!named) {
        UsageError("--notation takes english, german or mixed, not '" + name + "'");
        return false;
    }
    notation = *named;
    return true;
}

namespace {

//! The options of AddBandOptions into style, those given; false after a usage error has been printed.
bool ReadBandOptions(const CommandLine& parser, StyleSettings& style) {
    if (!ReadRanged(parser, {"drums-volume", 0, kMostDrumsVolume}, style.drumsVolume) ||
        !ReadRanged(parser, {"human-feel", 0, kMostFeel}, style.feel)) {
        return false;
    }
    if (!parser.IsSet("swing")) {
        return true;
    }
    const std::string text = parser.Value("swing");
    if (text == "style") {
        style.swing = kStyleSwing;
        return true;
    }
    const std::optional<long long> share = ParseWholeNumber(text);
    if (!share || *share < kSwingEven || *share > kSwingHardest) {
        UsageError("--swing takes style or a whole number from " + std::to_string(kSwingEven) + " to " +
                   std::to_string(kSwingHardest) + ", not '" + text + "'");
        return false;
    }
    style.swing = static_cast<std::int32_t>(*share);
    return true;
}

//! The notation, tempo and voice options into settings; false after a usage error has been printed.
bool ReadChartOptions(const CommandLine& parser, RenderSettings& settings) {
    if (!ReadNotationOption(parser, settings.notation)) {
        return false;
    }
    VoiceSettings& voices = settings.voices;
    if (!ReadRanged(parser, {"tempo", kMinTempo, kMaxTempo}, settings.transportTempo) ||
        !ReadRanged(parser, {"chords-program", 0, 127}, voices.chordsProgram) ||
        !ReadRanged(parser, {"bass-program", 0, 127}, voices.bassProgram) ||
        !ReadRanged(parser, {"chords-volume", 0, 127}, voices.chordsVolume) ||
        !ReadRanged(parser, {"bass-volume", 0, 127}, voices.bassVolume)) {
        return false;
    }
    voices.chordsEnabled = !parser.IsSet("no-chords");
    voices.bassEnabled = !parser.IsSet("no-bass");
    return ReadStyleOption(parser, settings) && ReadBandOptions(parser, settings.style);
}

bool TakePositionals(const CommandLine& parser, std::size_t count) {
    const std::size_t given = parser.Positionals().size();
    if (count == kOneOrMore && given == 0) {
        UsageError("expected at least 1 argument after the command, got 0; see --help");
        return false;
    }
    if (count != kOneOrMore && given != count) {
        UsageError("expected " + std::to_string(count) + " argument(s) after the command, got " +
                   std::to_string(given) + "; see --help");
        return false;
    }
    return true;
}

}  // namespace

std::string ProgramPath() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path) {
        return "./kaz-cli";
    }
    return {path, static_cast<std::size_t>(length)};
}

std::optional<int> ExitOf(CommandLine::Outcome outcome) {
    switch (outcome) {
        case CommandLine::Outcome::Parsed:
            return std::nullopt;
        case CommandLine::Outcome::HelpShown:
            return kExitOk;
        case CommandLine::Outcome::UsageError:
            break;
    }
    return kExitUsage;
}

std::optional<int> ParseCommandLine(CommandLine& parser, const CommandArguments& arguments,
                                    std::size_t count) {
    if (const auto exit = ExitOf(parser.Parse(arguments))) {
        return exit;
    }
    if (!TakePositionals(parser, count)) {
        return kExitUsage;
    }
    return std::nullopt;
}

std::optional<int> ReadChartCommandLine(CommandLine& parser, const CommandArguments& arguments,
                                        std::size_t count, RenderSettings& settings) {
    if (const auto exit = ExitOf(parser.Parse(arguments))) {
        return exit;
    }
    if (!ReadChartOptions(parser, settings) || !TakePositionals(parser, count)) {
        return kExitUsage;
    }
    return std::nullopt;
}

bool ReadChart(const std::string& path, ChartInput& chart, ChartBytes taken) {
    chart.name = path;
    InputFile input = path == "-" ? ReadStandardInput() : ReadWholeFile(path);
    if (!input.Read()) {
        UsageError(input.error);
        return false;
    }
    DecodedChart decoded = DecodeChartBytes(input.bytes);
    if (taken == ChartBytes::AsInFile && decoded.encoding == ChartEncoding::Windows1252) {
        chart.bytes = std::move(input.bytes);
        chart.encoding = ChartEncoding::Windows1252;
    } else {
        chart.bytes = std::move(decoded.text);
        chart.encoding = ChartEncoding::Utf8;
    }
    return true;
}

std::size_t ChartColumn(const ChartInput& chart, int offset) {
    return CharacterColumn(chart.bytes, static_cast<std::size_t>(std::max(0, offset)), chart.encoding);
}

std::string DiagnosticPlace(const ChartInput& chart, int line, int offset) {
    return chart.name + ":" + std::to_string(line) + ":" + std::to_string(ChartColumn(chart, offset));
}

std::string QuotedChartText(const ChartInput& chart, std::string_view text) {
    return EscapeControlCharacters(chart.encoding == ChartEncoding::Windows1252 ? Windows1252ToUtf8(text)
                                                                                : std::string(text));
}

bool CompileChart(CompileState& state, const ChartInput& chart) {
    const CompileResult result = Compile(state, chart.bytes);
    switch (result.outcome) {
        case CompileOutcome::Accepted:
            return true;
        case CompileOutcome::LanguageError: {
            const LanguageError& error = result.error;
            PrintError(DiagnosticPlace(chart, error.line, error.selection.start) +
                       ": error: " + EscapeControlCharacters(error.message) + ": `" +
                       QuotedChartText(chart, error.text) + "`\n");
            break;
        }
        case CompileOutcome::Fault:
            PrintError(chart.name + ": error: " + EscapeControlCharacters(result.fault) + "\n");
            break;
        case CompileOutcome::NothingToPlay:
            PrintError(chart.name + ": error: " + std::string(kNothingToPlay) + "\n");
            break;
    }
    return false;
}

std::optional<int> ReadAndCompileChart(const std::string& path, CompileState& state, ChartInput& chart,
                                       ChartBytes taken) {
    if (!ReadChart(path, chart, taken)) {
        return kExitUsage;
    }
    if (!CompileChart(state, chart)) {
        return kExitChartError;
    }
    return std::nullopt;
}

}  // namespace kaz::cli
