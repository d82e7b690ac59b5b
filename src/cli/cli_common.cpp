#include "cli/cli_common.h"

#include <QFile>
#include <cstdio>
#include <utility>

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
bool ReadRanged(const QCommandLineParser& parser, const RangedOption& option, T& value) {
    if (!parser.isSet(option.name)) {
        return true;
    }
    const QString text = parser.value(option.name);
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < option.low || number > option.high) {
        UsageError(QStringLiteral("--%1 takes a whole number from %2 to %3, not '%4'")
                       .arg(QString::fromLatin1(option.name))
                       .arg(option.low)
                       .arg(option.high)
                       .arg(text));
        return false;
    }
    value = static_cast<T>(number);
    return true;
}

}  // namespace

int UsageError(const QString& message) {
    PrintError(("kaz-cli: " + message + "\n").toStdString());
    return kExitUsage;
}

void AddChartOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addOptions({
        {"notation", "How B and H are read: english, german or mixed (default english).", "notation"},
        {"tempo", "The transport tempo, 20..300 (default 120).", "bpm"},
        {"chords-program", "Instrument of the chord voice, 0..127 (default 26).", "program"},
        {"bass-program", "Instrument of the bass voice, 0..127 (default 32).", "program"},
        {"chords-volume", "Volume of the chord voice, 0..127 (default 80).", "volume"},
        {"bass-volume", "Volume of the bass voice, 0..127 (default 75).", "volume"},
        {"no-chords", "Leave the chord voice silent."},
        {"no-bass", "Leave the bass voice silent."},
        {"style", "The accompaniment style where the chart names none (default the block chords).", "name"},
        {"seed", "The seed of the style's small variations (default 1).", "number"},
    });
}

bool ParseArguments(QCommandLineParser& parser, const QStringList& arguments) {
    if (!parser.parse(arguments)) {
        UsageError(parser.errorText());
        return false;
    }
    if (parser.isSet("help")) {
        std::fputs(parser.helpText().toStdString().c_str(), stdout);
        return false;
    }
    return true;
}

namespace {

//! The notation, tempo and voice options into settings; false after a usage error has been printed.
bool ReadChartOptions(const QCommandLineParser& parser, RenderSettings& settings) {
    if (parser.isSet("notation")) {
        const QString notation = parser.value("notation");
        if (notation == "english") {
            settings.notation = kEnglishNotation;
        } else if (notation == "german") {
            settings.notation = kGermanNotation;
        } else if (notation == "mixed") {
            settings.notation = kMixedNotation;
        } else {
            UsageError(QStringLiteral("--notation takes english, german or mixed, not '%1'").arg(notation));
            return false;
        }
    }
    VoiceSettings& voices = settings.voices;
    if (!ReadRanged(parser, {"tempo", kMinTempo, kMaxTempo}, settings.transportTempo) ||
        !ReadRanged(parser, {"chords-program", 0, 127}, voices.chordsProgram) ||
        !ReadRanged(parser, {"bass-program", 0, 127}, voices.bassProgram) ||
        !ReadRanged(parser, {"chords-volume", 0, 127}, voices.chordsVolume) ||
        !ReadRanged(parser, {"bass-volume", 0, 127}, voices.bassVolume)) {
        return false;
    }
    voices.chordsEnabled = !parser.isSet("no-chords");
    voices.bassEnabled = !parser.isSet("no-bass");
    return ReadStyleOption(parser, settings);
}

}  // namespace

bool TakePositionals(const QCommandLineParser& parser, int count, QStringList& positionals) {
    positionals = parser.positionalArguments();
    if (positionals.size() != count) {
        UsageError(QStringLiteral("expected %1 argument(s) after the command, got %2; see --help")
                       .arg(count)
                       .arg(positionals.size()));
        return false;
    }
    return true;
}

std::optional<int> ReadChartCommandLine(QCommandLineParser& parser, const QStringList& arguments, int count,
                                        RenderSettings& settings, QStringList& positionals) {
    if (!ParseArguments(parser, arguments)) {
        return parser.isSet("help") ? kExitOk : kExitUsage;
    }
    if (!ReadChartOptions(parser, settings) || !TakePositionals(parser, count, positionals)) {
        return kExitUsage;
    }
    return std::nullopt;
}

bool ReadChart(const QString& path, ChartInput& chart) {
    chart.name = path;
    InputFile input =
        path == "-" ? ReadStandardInput() : ReadWholeFile(QFile::encodeName(path).toStdString());
    if (!input.Read()) {
        UsageError(QString::fromStdString(input.error));
        return false;
    }
    chart.bytes = std::move(input.bytes);
    return true;
}

bool CompileChart(CompileState& state, const ChartInput& chart) {
    const CompileResult result = Compile(state, chart.bytes);
    const std::string name = chart.name.toStdString();
    switch (result.outcome) {
        case CompileOutcome::Accepted:
            return true;
        case CompileOutcome::LanguageError:
            PrintError(name + ":" + std::to_string(result.error.line) + ": error: " + result.error.message +
                       ": `" + result.error.text + "`\n");
            break;
        case CompileOutcome::Fault:
            PrintError(name + ": error: " + result.fault + "\n");
            break;
        case CompileOutcome::NothingToPlay:
            PrintError(name + ": error: " + std::string(kNothingToPlay) + "\n");
            break;
    }
    return false;
}

std::optional<int> ReadAndCompileChart(const QString& path, CompileState& state, ChartInput& chart) {
    if (!ReadChart(path, chart)) {
        return kExitUsage;
    }
    if (!CompileChart(state, chart)) {
        return kExitChartError;
    }
    return std::nullopt;
}

}  // namespace kaz::cli
