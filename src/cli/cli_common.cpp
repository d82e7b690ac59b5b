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

//! A whole-number option the table has checked; absent leaves value alone.
template <typename T>
void ReadWholeNumber(const CommandLine& parser, const char* name, T& value) {
    if (parser.IsSet(name)) {
        value = static_cast<T>(ParseWholeNumber(parser.Value(name)).value_or(0));
    }
}

//! ReadWholeNumber into a part's setting, set only when the option is given.
void ReadPartOption(const CommandLine& parser, const char* name, std::optional<std::uint8_t>& value) {
    if (parser.IsSet(name)) {
        std::int32_t number = 0;
        ReadWholeNumber(parser, name, number);
        value = static_cast<std::uint8_t>(number);
    }
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

void ReadNotationOption(const CommandLine& parser, NotationMode& notation) {
    const std::string name = parser.Value("notation");
    if (const std::optional<NotationMode> named = NotationFromWord(name)) {
        notation = *named;
    }
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
    const std::string who = parser.Value("minus-one");
    if (who == "bass") {
        parts.minusOne = MinusOne::Bass;
    } else if (who == "piano") {
        parts.minusOne = MinusOne::Piano;
    } else if (who == "guitar") {
        parts.minusOne = MinusOne::Guitar;
    }
    return true;
}

//! The options of AddBandOptions into settings, those given; false after a usage error has been printed.
bool ReadBandOptions(const CommandLine& parser, RenderSettings& settings) {
    StyleSettings& style = settings.style;
    ReadWholeNumber(parser, "human-feel", style.feel);
    if (!ReadMixerOptions(parser, settings.parts)) {
        return false;
    }
    ReadPartOption(parser, "drums-volume", settings.parts["drums"].volume);
    if (parser.IsSet("intro")) {
        const std::string intro = parser.Value("intro");
        style.intro = intro == "count-in"    ? Intro::CountIn
                      : intro == "last-four" ? Intro::LastFourBars
                                             : Intro::None;
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
    ReadNotationOption(parser, settings.notation);
    // The two voices of the block chords are the comping and bass parts; set here, they hold in a style too.
    BandParts& parts = settings.parts;
    ReadWholeNumber(parser, "tempo", settings.transportTempo);
    ReadPartOption(parser, "chords-program", parts["comping"].program);
    ReadPartOption(parser, "bass-program", parts["bass"].program);
    ReadPartOption(parser, "chords-volume", parts["comping"].volume);
    ReadPartOption(parser, "bass-volume", parts["bass"].volume);
    parts["comping"].muted = parser.IsSet("no-chords");
    parts["bass"].muted = parser.IsSet("no-bass");
    return ReadStyleOption(parser, settings) && ReadBandOptions(parser, settings);
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

bool TakeArguments(const CommandLine& parser) {
    const std::vector<ArgumentSpec>& arguments = parser.Command().arguments;
    const std::size_t given = parser.Positionals().size();
    const bool oneOrMore = !arguments.empty() && arguments.back().count == ArgumentSpec::Count::OneOrMore;
    const bool lastOptional = !arguments.empty() && arguments.back().count == ArgumentSpec::Count::Optional;
    if (oneOrMore && given == 0) {
        UsageError("expected at least 1 argument after the command, got 0; see --help");
        return false;
    }
    if (lastOptional && (given + 1 < arguments.size() || given > arguments.size())) {
        UsageError("expected " + arguments.front().name + " and an optional " + arguments.back().name +
                   " after the command; see --help");
        return false;
    }
    if (!oneOrMore && !lastOptional && given != arguments.size()) {
        UsageError("expected " + std::to_string(arguments.size()) + " argument(s) after the command, got " +
                   std::to_string(given) + "; see --help");
        return false;
    }
    return true;
}

std::optional<int> ReadChartCommandLine(const CommandLine& parser, RenderSettings& settings) {
    if (!ReadChartOptions(parser, settings) || !TakeArguments(parser)) {
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
