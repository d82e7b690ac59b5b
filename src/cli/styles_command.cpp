#include <cstdio>
#include <optional>
#include <string>

#include "base/control_characters.h"
#include "cli/cli_common.h"

namespace kaz::cli {

namespace {

//! A meter as the command line writes it: "6/8".
std::optional<Meter> ReadMeterWords(const std::string& text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) {
        return std::nullopt;
    }
    const std::optional<long long> num = ParseWholeNumber(text.substr(0, slash));
    const std::optional<long long> den = ParseWholeNumber(text.substr(slash + 1));
    constexpr long long kLargest = 256;
    if (!num || !den || *num < 1 || *den < 1 || *num > kLargest || *den > kLargest) {
        return std::nullopt;
    }
    return Meter{static_cast<std::int32_t>(*num), static_cast<std::int32_t>(*den)};
}

}  // namespace

std::shared_ptr<const StyleLibrary> ProgramStyles() {
    static const auto library = StyleLibrary::ReadWhenAsked(StyleFolders(ProgramPath()));
    return library;
}

bool ReadStyleOption(const CommandLine& parser, RenderSettings& settings) {
    settings.style.library = ProgramStyles();
    if (parser.IsSet("seed")) {
        const std::string text = parser.Value("seed");
        const std::optional<long long> seed = ParseWholeNumber(text);
        if (!seed || *seed < 0) {
            UsageError("--seed takes a whole number, not '" + text + "'");
            return false;
        }
        settings.style.seed = static_cast<unsigned long long>(*seed);
    }
    if (!parser.IsSet("style")) {
        return true;
    }
    const std::string name = parser.Value("style");
    if (!settings.style.library->Knows(name)) {
        UsageError("unknown style '" + EscapeControlCharacters(name) + "'; 'kaz-cli styles' lists them");
        return false;
    }
    settings.style.name = name;
    return true;
}

int RunStyles(const CommandLine& parser) {
    if (!TakeArguments(parser)) {
        return kExitUsage;
    }
    std::optional<Meter> meter;
    if (parser.IsSet("meter")) {
        meter = ReadMeterWords(parser.Value("meter"));
        if (!meter) {
            return UsageError("--meter takes a meter such as 6/8, not '" +
                              EscapeControlCharacters(parser.Value("meter")) + "'");
        }
    }
    const auto library = ProgramStyles();
    // A style file is anyone's text: its name and its lines are shown with their control characters
    // escaped, so that they cannot move the terminal's cursor or change its colours.
    for (const std::string& name : library->Names()) {
        // The block chords have no patterns: they play any meter.
        const Style* style = library->Find(name);
        if (!meter || (style != nullptr && style->OwnPattern(meter->num, meter->den) != nullptr)) {
            std::printf("%s\n", EscapeControlCharacters(name).c_str());
        }
    }
    for (const StyleProblem& problem : library->Problems()) {
        std::fprintf(stderr, "%s (left out)\n", EscapeControlCharacters(problem.Describe()).c_str());
    }
    return kExitOk;
}

}  // namespace kaz::cli
