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

//! ReadRanged into a part's setting, set only when the option is given.
bool ReadPartOption(const CommandLine& parser, const RangedOption& option,
                    std::optional<std::uint8_t>& value) {
    std::int32_t number = 0;
    if (!ReadRanged(parser, option, number)) {
        return false;
    }
    if (parser.IsSet(option.name)) {
        value = static_cast<std::uint8_t>(number);
    }
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
    parser.AddOption({"mute", "parts",
                      "Leave these parts silent: comping, bass, guitar, pad or drums, apart by "
                      "commas (--mute drums)."});
    parser.AddOption({"solo", "parts", "Play only these parts (--solo bass)."});
    parser.AddOption({"volume", "part=volume",
                      "A part's volume, 0..127; the drums' in percent of the style's, 0..200 (--volume "
                      "comping=90). May be given for several parts."});
    parser.AddOption(
        {"pan", "part=place", "Where a part stands, 0 (left) to 127 (right), 64 in the middle."});
    parser.AddOption(
        {"minus-one", "who", "Leave out your own instrument to play along: bass, piano or guitar."});
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

//! The parts named by the values of option, each apart by commas; false after a usage error has been printed.
bool ReadPartNames(const CommandLine& parser, const char* option, std::vector<std::string>& names) {
    for (const std::string& value : parser.Values(option)) {
        std::string_view rest = value;
        while (!rest.empty()) {
            const auto comma = std::min(rest.find(','), rest.size());
            const std::string name(rest.substr(0, comma));
            if (PartDefaultsOf(name) == nullptr) {
                UsageError("--" + std::string(option) + " takes comping, bass, guitar, pad or drums, not '" +
                           name + "'");
                return false;
            }
            names.push_back(name);
            rest.remove_prefix(std::min(comma + 1, rest.size()));
        }
    }
    return true;
}

//! The PART=NUMBER values of option into the parts, each within 0..high (the drums' volume within
//! 0..drumsHigh); false after a usage error has been printed.
bool ReadPartNumbers(const CommandLine& parser, const char* option, int high, int drumsHigh, BandParts& parts,
                     std::optional<std::uint8_t> Part::*field) {
    for (const std::string& value : parser.Values(option)) {
        const auto equals = value.find('=');
        const std::string name = value.substr(0, equals);
        const std::optional<long long> number =
            equals == std::string::npos ? std::nullopt : ParseWholeNumber(value.substr(equals + 1));
        const int most = name == "drums" ? drumsHigh : high;
        if (PartDefaultsOf(name) == nullptr || !number || *number < 0 || *number > most) {
            UsageError("--" + std::string(option) +
                       " takes PART=NUMBER, a part among comping, bass, guitar, pad "
                       "and drums and a number from 0 to " +
                       std::to_string(most) + ", not '" + value + "'");
            return false;
        }
        parts[name].*field = static_cast<std::uint8_t>(*number);
    }
    return true;
}

//! The mixer's options into parts; false after a usage error has been printed.
bool ReadMixerOptions(const CommandLine& parser, BandParts& parts) {
    std::vector<std::string> muted;
    std::vector<std::string> soloed;
    if (!ReadPartNames(parser, "mute", muted) || !ReadPartNames(parser, "solo", soloed) ||
        !ReadPartNumbers(parser, "volume", 127, kMostDrumsVolume, parts, &Part::volume) ||
        !ReadPartNumbers(parser, "pan", 127, 127, parts, &Part::pan)) {
        return false;
    }
    for (const std::string& name : muted) {
        parts[name].muted = true;
    }
    for (const std::string& name : soloed) {
        parts[name].solo = true;
    }
    if (parser.IsSet("minus-one")) {
        const std::string who = parser.Value("minus-one");
        if (who == "bass") {
            parts.minusOne = MinusOne::Bass;
        } else if (who == "piano") {
            parts.minusOne = MinusOne::Piano;
        } else if (who == "guitar") {
            parts.minusOne = MinusOne::Guitar;
        } else {
            UsageError("--minus-one takes bass, piano or guitar, not '" + who + "'");
            return false;
        }
    }
    return true;
}

//! The options of AddBandOptions into settings, those given; false after a usage error has been printed.
bool ReadBandOptions(const CommandLine& parser, RenderSettings& settings) {
    StyleSettings& style = settings.style;
    std::int32_t drumsVolume = settings.parts.Volume("drums");
    if (!ReadRanged(parser, {"drums-volume", 0, kMostDrumsVolume}, drumsVolume) ||
        !ReadRanged(parser, {"human-feel", 0, kMostFeel}, style.feel) ||
        !ReadMixerOptions(parser, settings.parts)) {
        return false;
    }
    if (parser.IsSet("drums-volume")) {
        settings.parts["drums"].volume = static_cast<std::uint8_t>(drumsVolume);
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
    // The two voices of the block chords are the comping and bass parts; set here, they hold in a style too.
    BandParts& parts = settings.parts;
    if (!ReadRanged(parser, {"tempo", kMinTempo, kMaxTempo}, settings.transportTempo) ||
        !ReadPartOption(parser, {"chords-program", 0, 127}, parts["comping"].program) ||
        !ReadPartOption(parser, {"bass-program", 0, 127}, parts["bass"].program) ||
        !ReadPartOption(parser, {"chords-volume", 0, 127}, parts["comping"].volume) ||
        !ReadPartOption(parser, {"bass-volume", 0, 127}, parts["bass"].volume)) {
        return false;
    }
    parts["comping"].muted = parser.IsSet("no-chords");
    parts["bass"].muted = parser.IsSet("no-bass");
    return ReadStyleOption(parser, settings) && ReadBandOptions(parser, settings);
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

bool ReportCompile(const CompiledChart& compiled, const ChartInput& chart) {
    const CompileResult& result = compiled.result;
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

std::optional<int> ReadAndCompileChart(const std::string& path, const CompileOptions& options,
                                       ChartInput& chart, std::shared_ptr<const CompiledChart>& compiled,
                                       ChartBytes taken) {
    if (!ReadChart(path, chart, taken)) {
        return kExitUsage;
    }
    compiled = Compile(chart.bytes, options);
    if (!ReportCompile(*compiled, chart)) {
        return kExitChartError;
    }
    return std::nullopt;
}

}  // namespace kaz::cli
