#include <cstdio>
#include <optional>

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

const SpellingName* FindSpellingName(const QString& name) {
    for (const SpellingName& candidate : kSpellingNames) {
        if (name == QLatin1String(candidate.name)) {
            return &candidate;
        }
    }
    return nullptr;
}

std::optional<int> ReadShift(const QCommandLineParser& parser) {
    if (!parser.isSet("shift")) {
        UsageError("transpose needs --shift N, a number of semitones from -5 to 6");
        return std::nullopt;
    }
    const QString text = parser.value("shift");
    bool ok = false;
    const int shift = text.trimmed().toInt(&ok);
    if (!ok || shift < -5 || shift > 6) {
        UsageError(QStringLiteral("--shift takes a whole number from -5 to 6, not '%1'").arg(text));
        return std::nullopt;
    }
    return shift;
}

//! Apply every --spell list to the start choices; false after a usage error has been printed.
bool ReadSpellings(const QCommandLineParser& parser, NoteNameTables& tables) {
    const SpellingName* chosen[kPitchClassCount] = {};
    for (const QString& list : parser.values("spell")) {
        for (const QString& item : list.split(',')) {
            const QString name = item.trimmed();
            const SpellingName* spelling = FindSpellingName(name);
            if (spelling == nullptr) {
                UsageError(QStringLiteral("--spell takes names among C#, Db, D#, Eb, F#, Gb, G#, Ab, A#, Bb, "
                                          "separated by commas, not '%1'")
                               .arg(name));
                return false;
            }
            const SpellingName*& earlier = chosen[spelling->pitchClass];
            if (earlier != nullptr && earlier->spelling != spelling->spelling) {
                UsageError(QStringLiteral("--spell names both %1 and %2; choose one")
                               .arg(QLatin1String(earlier->name), QLatin1String(spelling->name)));
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

int RunTranspose(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Print the chart with every chord root and slash bass moved by N semitones and written with the\n"
        "chosen sharp or flat names; everything else stays as it is. --shift 0 only respells.");
    parser.addPositionalArgument("FILE", "The chart, or - for standard input.");
    AddChartOptions(parser);
    parser.addOptions({
        {"shift", "Semitones to move every chord, -5..6.", "N"},
        {"spell",
         "Comma-separated names among C#, Db, D#, Eb, F#, Gb, G#, Ab, A#, Bb: how those pitch classes are "
         "written. The others are written C#, Eb, F#, Ab, Bb (B and H follow the chart's notation).",
         "names"},
    });
    QStringList positionals;
    CompileState state;
    if (const auto exit = ReadChartCommandLine(parser, arguments, 1, state.settings, positionals)) {
        return *exit;
    }
    NoteNameTables tables;
    const std::optional<int> shift = ReadShift(parser);
    if (!shift || !ReadSpellings(parser, tables)) {
        return kExitUsage;
    }
    DiscardedEvents discarded;
    state.events.StreamTo(&discarded);
    ChartInput chart;
    if (const auto exit = ReadAndCompileChart(positionals.first(), state, chart)) {
        return *exit;
    }
    TextEditor view(std::move(chart.bytes));
    const auto choose = [&](NotationMode resolved) -> std::optional<TransposeResult> {
        TransposeDialogModel dialog(tables, resolved);
        dialog.SelectEntry(TransposeDialogModel::kUnshiftedEntry + *shift);
        return dialog.Accept();
    };
    if (!TransposeCompiledScore(state.score, state.settings.notation, view, choose)) {
        return kExitChartError;
    }
    return WriteOutput(view.Text()) ? kExitOk : kExitUsage;
}

}  // namespace kaz::cli
