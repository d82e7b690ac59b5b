#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "cli/cli_common.h"
#include "harmony/transposition.h"
#include "language/transpose_score.h"

namespace kaz::cli {

namespace {

//! The names --spell accepts, with the pitch class and spelling each one chooses. They are English
//! whatever the chart's notation: "Bb" chooses the flat name of B flat, which a German chart writes "B".
struct SpellingName {
    const char* name;
    int pitchClass;
    Spelling spelling;
};

constexpr SpellingName kSpellingNames[] = {
    {"C#", 1, Spelling::Sharp}, {"Db", 1, Spelling::Flat},  {"D#", 3, Spelling::Sharp},
    {"Eb", 3, Spelling::Flat},  {"F#", 6, Spelling::Sharp}, {"Gb", 6, Spelling::Flat},
    {"G#", 8, Spelling::Sharp}, {"Ab", 8, Spelling::Flat},  {"A#", 10, Spelling::Sharp},
    {"Bb", 10, Spelling::Flat},
};

const SpellingName* FindSpellingName(std::string_view name) {
    for (const SpellingName& candidate : kSpellingNames) {
        if (name == candidate.name) {
            return &candidate;
        }
    }
    return nullptr;
}

std::optional<int> ReadShift(const CommandLine& parser) {
    if (parser.IsSet("to-key")) {
        if (parser.IsSet("shift")) {
            UsageError("transpose takes --shift or --to-key, not both");
            return std::nullopt;
        }
        // The shift comes from the chart's key, once it has compiled.
        return 0;
    }
    if (!parser.IsSet("shift")) {
        UsageError("transpose needs --shift N, a number of semitones from -5 to 6, or --to-key KEY");
        return std::nullopt;
    }
    // The table has checked its range.
    return static_cast<int>(ParseWholeNumber(parser.Value("shift")).value_or(0));
}

//! The note of --to-key, English names ("F#", "Bb", and "H" for B) whatever the chart's notation, or German
//! ones ("Fis"); a word for major or minor after it is allowed and changes nothing: the chart keeps its mode.
std::optional<int> ReadTargetTonic(const CommandLine& parser) {
    const std::string text = parser.Value("to-key");
    const std::optional<WrittenKey> key = ReadWrittenKey(text);
    if (!key) {
        UsageError("--to-key takes a key such as E, Eb, F#m or Fis, not '" + text + "'");
        return std::nullopt;
    }
    return MovedPitchClass(ReadPitchClass(key->note.english), 0);
}

//! The shift from the chart's key to tonic, -5..6.
int ShiftToTonic(const MusicalKey& from, int tonic) {
    const int up = MovedPitchClass(tonic - from.tonic, 0);
    return up > 6 ? up - kPitchClassCount : up;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\n\v\f\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\n\v\f\r") - first + 1);
}

//! Apply every --spell list to the start choices; false after a usage error has been printed.
bool ReadSpellings(const CommandLine& parser, NoteNameTables& tables) {
    const SpellingName* chosen[kPitchClassCount] = {};
    for (const std::string& list : parser.Values("spell")) {
        for (std::size_t start = 0; start <= list.size();) {
            const std::size_t comma = std::min(list.find(',', start), list.size());
            const std::string_view name = Trimmed(std::string_view(list).substr(start, comma - start));
            start = comma + 1;
            const SpellingName* spelling = FindSpellingName(name);
            if (spelling == nullptr) {
                UsageError(
                    "--spell takes names among C#, Db, D#, Eb, F#, Gb, G#, Ab, A#, Bb, separated by commas, "
                    "not '" +
                    std::string(name) + "'");
                return false;
            }
            const SpellingName*& earlier = chosen[spelling->pitchClass];
            if (earlier != nullptr && earlier->spelling != spelling->spelling) {
                UsageError("--spell names both " + std::string(earlier->name) + " and " + spelling->name +
                           "; choose one");
                return false;
            }
            earlier = spelling;
            tables.spellingChoice[spelling->pitchClass] = spelling->spelling;
        }
    }
    return true;
}

bool WriteOutput(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        UsageError("cannot write to standard output");
        return false;
    }
    return true;
}

}  // namespace

int RunTranspose(const CommandLine& parser) {
    DiscardedEvents discarded;
    CompileOptions options;
    options.stream = &discarded;
    if (const auto exit = ReadChartCommandLine(parser, options.settings)) {
        return *exit;
    }
    NoteNameTables tables;
    const std::optional<int> shift = ReadShift(parser);
    if (!shift || !ReadSpellings(parser, tables)) {
        return kExitUsage;
    }
    std::optional<int> targetTonic;
    if (parser.IsSet("to-key")) {
        targetTonic = ReadTargetTonic(parser);
        if (!targetTonic) {
            return kExitUsage;
        }
    }
    ChartInput chart;
    std::shared_ptr<const CompiledChart> compiled;
    if (const auto exit = ReadAndCompileChart(parser.Positionals().front(), options, chart, compiled)) {
        return *exit;
    }
    const auto choose = [&](const TransposeOffer& offer) -> std::optional<TransposeResult> {
        TransposeDialogModel dialog(tables, offer);
        if (targetTonic) {
            dialog.SelectKey(TransposeDialogModel::kUnshiftedEntry + ShiftToTonic(offer.key, *targetTonic));
        } else {
            dialog.SelectEntry(TransposeDialogModel::kUnshiftedEntry + *shift);
        }
        return dialog.Accept();
    };
    const Transposition transposition = TransposeChart(*compiled, choose);
    if (transposition.outcome != TransposeOutcome::Transposed) {
        return kExitChartError;
    }
    return WriteOutput(transposition.text) ? kExitOk : kExitUsage;
}

}  // namespace kaz::cli
