#include <gtest/gtest.h>

#include <random>

#include "language/chart_line_scanner.h"
#include "language/compile_score.h"

namespace kaz {
namespace {

//! Pieces that make charts the scanner and grammar must take apart in every combination.
// clang-format off
constexpr std::string_view kPieces[] = {
    "C",  "Am7", "F#m7-5", "Bb6add9", "C/E", "H", "B", "Bb", "-",  "/",  "=",  "|",   "||", "%",   "*",
    "[",  "]",   "[4/4]",  "[3/4]",   "[0/4]", "[TEMPO=90]", "[CHORD x = 0 4 7]", "[CHORD = 0 -200 7]", "[5]",
    " ",  "\t",  "\n",     "\r\n",    "\r",  "\\\n", "#",  "# comment\n", "x", "7", "Cmx", std::string_view("\0", 1),
    "\xC3\xA9", "\xFF", "[CHORD", "CHORD", "TEMPO", "=", "-5", "99999999999",
};
// clang-format on

std::string RandomChart(std::mt19937& random) {
    std::string text;
    const int pieces = std::uniform_int_distribution<int>(0, 60)(random);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < pieces; ++i) {
        if (random() % 8 == 0) {
            text += static_cast<char>(byte(random));
        } else {
            text += kPieces[pick(random)];
        }
    }
    return text;
}

//! Compile text with the chord definitions of the compiles before it, as the window does, and check that it
//! ends one way only: accepted with a performance, or failed with nothing played and, unless it only sounds
//! no note, nothing read.
std::shared_ptr<const ChordDefinitions> ExpectCleanOutcome(const std::string& text,
                                                           std::shared_ptr<const ChordDefinitions> known) {
    CompileOptions options;
    options.chordDefinitions = std::move(known);
    const std::shared_ptr<const CompiledChart> compiled = Compile(text, options);
    const CompileResult& result = compiled->result;
    if (result.Accepted()) {
        EXPECT_FALSE(compiled->performance.empty()) << text;
        return compiled->chordDefinitions;
    }
    EXPECT_TRUE(compiled->performance.empty()) << text;
    if (result.outcome != CompileOutcome::NothingToPlay) {
        EXPECT_TRUE(compiled->score.allChords.empty()) << text;
    }
    if (result.outcome == CompileOutcome::LanguageError) {
        const LanguageError& error = result.error;
        EXPECT_GE(error.line, 1) << text;
        EXPECT_LE(0, error.selection.start) << text;
        EXPECT_LE(error.selection.start, error.selection.end) << text;
        EXPECT_LE(error.selection.end, static_cast<int>(text.size())) << text;
    }
    return compiled->chordDefinitions;
}

TEST(RandomCharts, EveryInputGetsExactlyOneAnswerAndNothingLeaks) {
    std::mt19937 random(20261208);
    std::shared_ptr<const ChordDefinitions> known;
    for (int round = 0; round < 20000; ++round) {
        known = ExpectCleanOutcome(RandomChart(random), known);
    }
}

TEST(RandomCharts, RandomBytesAreRejectedCleanly) {
    std::mt19937 random(7);
    std::shared_ptr<const ChordDefinitions> known;
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 1000; ++round) {
        std::string text(static_cast<std::size_t>(random() % 4096), '\0');
        for (char& c : text) {
            c = static_cast<char>(byte(random));
        }
        known = ExpectCleanOutcome(text, known);
    }
}

//! The text's lexemes scanned line by line, each line in the state the one before it ended in, with their
//! offsets in the whole text.
std::vector<ChartToken> ScanLineByLine(ChartLineScanner& scanner, std::string_view text) {
    std::vector<ChartToken> tokens;
    ChartLineState state = ChartLineState::Chords;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
        const ScannedChartLine line = scanner.Scan(text.substr(start, end - start), state);
        for (ChartToken token : line.tokens) {
            token.start += static_cast<int>(start);
            tokens.push_back(token);
        }
        state = line.end;
        start = end;
    }
    return tokens;
}

TEST(RandomCharts, ScanningLineByLineFindsTheLexemesOfTheWholeText) {
    std::mt19937 random(11);
    ChartLineScanner scanner;
    for (int round = 0; round < 5000; ++round) {
        const std::string text = RandomChart(random);
        const std::vector<ChartToken> whole = scanner.Scan(text, ChartLineState::Chords).tokens;
        EXPECT_EQ(ScanLineByLine(scanner, text), whole) << text;
    }
}

}  // namespace
}  // namespace kaz
