// Transposing a chart up and back down with the same spellings must give back the very same text, for
// charts whose names already follow those spellings. The charts are generated from a fixed seed and mix
// every kind of line and sign the language has.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "language/transpose_score.h"

namespace kaz {
namespace {

struct ChartStyle {
    NotationMode notation = kEnglishNotation;
    std::array<Spelling, kPitchClassCount> choices{};
};

//! The name of pitch class pc in a chart of that style, written out here rather than taken from the tables
//! under test.
std::string NameIn(const ChartStyle& style, int pc) {
    static constexpr const char* kSharp[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    static constexpr const char* kFlat[] = {"", "Db", "", "Eb", "", "", "Gb", "", "Ab", "", "Bb", ""};
    const bool flat = style.choices[pc] == Spelling::Flat;
    if (pc == 11) {
        return style.notation == kEnglishNotation ? "B" : "H";
    }
    if (pc == 10 && flat) {
        return style.notation == kGermanNotation ? "B" : "Bb";
    }
    return flat ? kFlat[pc] : kSharp[pc];
}

class ChartGenerator {
  public:
    explicit ChartGenerator(unsigned seed) : random_(seed) {}

    ChartStyle Style() {
        ChartStyle style;
        static constexpr NotationMode kNotations[] = {kEnglishNotation, kGermanNotation, kMixedNotation};
        style.notation = kNotations[Pick(3)];
        for (int pc = 0; pc < kPitchClassCount; ++pc) {
            const bool black = pc == 1 || pc == 3 || pc == 6 || pc == 8 || pc == 10;
            style.choices[pc] = !black ? Spelling::Natural : Pick(2) == 0 ? Spelling::Sharp : Spelling::Flat;
        }
        return style;
    }

    std::string Chart(const ChartStyle& style) {
        std::string text;
        if (Pick(2) == 0) {
            text += "# " + Chord(style) + " in a comment, not a chord" + LineEnd();
        }
        text += "[CHORD my = 0 3 7 10]" + LineEnd();
        if (Pick(3) == 0) {
            text += "[TEMPO=" + std::to_string(60 + Pick(120)) + "]" + LineEnd();
        }
        const int lines = 1 + Pick(6);
        for (int line = 0; line < lines; ++line) {
            text += BarLine(style, line == 0) + LineEnd();
            if (Pick(5) == 0) {
                text += LineEnd();
            }
        }
        return text;
    }

  private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    std::string LineEnd() { return Pick(3) == 0 ? "\r\n" : "\n"; }

    std::string Blank() {
        static constexpr const char* kBlanks[] = {" ", " ", "  ", "\t", " \\\n  "};
        return kBlanks[Pick(5)];
    }

    std::string Chord(const ChartStyle& style) {
        static constexpr const char* kSuffixes[] = {"",      "m",   "7",   "m7",   "maj7",  "m7-5",
                                                    "6add9", "9",   "13",  "sus4", "7sus4", "dim",
                                                    "+",     "7+9", "7-9", "my"};
        std::string chord = NameIn(style, Pick(12)) + kSuffixes[Pick(16)];
        if (Pick(4) == 0) {
            chord += "/" + NameIn(style, Pick(12));
        }
        return chord;
    }

    std::string Measure(const ChartStyle& style, bool first) {
        if (!first && Pick(8) == 0) {
            return Pick(2) == 0 ? "%" : "%%";
        }
        std::string measure;
        if (Pick(6) == 0) {
            measure += "[" + std::to_string(1 + Pick(9)) + "] ";
        }
        if (Pick(6) == 0) {
            measure += Pick(2) == 0 ? "[3/4] " : "[4/4] ";
        }
        const int chords = 1 + Pick(4);
        for (int i = 0; i < chords; ++i) {
            if (i > 0) {
                measure += Blank();
            }
            static constexpr const char* kSigns[] = {"/", "-", "="};
            measure += (first && i == 0) || Pick(5) != 0 ? Chord(style) : kSigns[Pick(3)];
        }
        return measure;
    }

    std::string BarLine(const ChartStyle& style, bool first) {
        std::string line = Pick(2) == 0 ? "| " : "";
        const int measures = 1 + Pick(5);
        for (int i = 0; i < measures; ++i) {
            if (i > 0) {
                line += Pick(6) == 0 ? " || " : " | ";
            }
            line += Measure(style, first && i == 0);
        }
        if (Pick(2) == 0) {
            line += " |";
        }
        if (Pick(8) == 0) {
            line += " *";
        }
        return line;
    }

    std::mt19937 random_;
};

//! The chart moved by shift semitones with the style's spellings, or the compile's message on failure.
std::string Transposed(CompileOptions& options, const std::string& text, const ChartStyle& style, int shift) {
    NoteNameTables tables;
    tables.spellingChoice = style.choices;
    const TransposeChooser choose = [&](const TransposeOffer& offer) -> std::optional<TransposeResult> {
        TransposeDialogModel dialog(tables, offer);
        dialog.SelectEntry(TransposeDialogModel::kUnshiftedEntry + shift);
        return dialog.Accept();
    };
    const std::shared_ptr<const CompiledChart> compiled = Compile(text, options);
    // The definitions stay for the next compile.
    options.chordDefinitions = compiled->chordDefinitions;
    const Transposition transposition = TransposeChart(*compiled, choose);
    if (transposition.outcome != TransposeOutcome::Transposed) {
        return compiled->Accepted() ? "not transposed" : FormatErrorMessage(compiled->result.error);
    }
    return transposition.text;
}

TEST(TransposeRoundTrip, UpThenDownGivesBackEveryGeneratedChart) {
    ChartGenerator generator(20240611);
    for (int sample = 0; sample < 400; ++sample) {
        const ChartStyle style = generator.Style();
        const std::string chart = generator.Chart(style);
        const int shift = sample % 12 - 5;
        const int back = shift == 6 ? 6 : -shift;  // six up and six down land on the same names

        CompileOptions options;
        options.settings.notation = style.notation;
        const std::string moved = Transposed(options, chart, style, shift);
        if (shift != 0) {
            ASSERT_NE(moved, chart) << chart;
        }
        ASSERT_EQ(Transposed(options, moved, style, back), chart) << "shift " << shift << ", moved to:\n"
                                                                  << moved;
    }
}

TEST(TransposeRoundTrip, TwelveStepsOfOneSemitoneComeBackToTheStart) {
    ChartGenerator generator(7);
    for (int sample = 0; sample < 40; ++sample) {
        const ChartStyle style = generator.Style();
        const std::string chart = generator.Chart(style);
        CompileOptions options;
        options.settings.notation = style.notation;
        std::string text = chart;
        for (int step = 0; step < 12; ++step) {
            text = Transposed(options, text, style, sample % 2 == 0 ? 1 : -1);
        }
        ASSERT_EQ(text, chart);
    }
}

}  // namespace
}  // namespace kaz
