#include <gtest/gtest.h>

#include <string>

#include "language/chart_line_scanner.h"

namespace kaz {
namespace {

using Kind = ChartTokenKind;
using State = ChartLineState;

//! The lexemes of a scanned line as "kind:text" words.
std::string Describe(std::string_view line, const ScannedChartLine& scanned) {
    static constexpr const char* kNames[] = {"chord",   "sign",  "bar",  "mark",
                                             "comment", "other", "form", "section"};
    std::string out;
    for (const ChartToken& token : scanned.tokens) {
        out += out.empty() ? "" : " ";
        out += std::string(kNames[static_cast<int>(token.kind)]) + ":" +
               std::string(line.substr(static_cast<std::size_t>(token.start),
                                       static_cast<std::size_t>(token.length)));
    }
    return out;
}

std::string Scan(ChartLineScanner& scanner, std::string_view line, State start = State::Chords) {
    return Describe(line, scanner.Scan(line, start));
}

TEST(ChartLineScanner, EveryLexemeGetsTheKindOfItsToken) {
    ChartLineScanner scanner;
    EXPECT_EQ(Scan(scanner, "[4/4] Am7/G - / = | % || C7-9 * x\n"),
              "mark:[ mark:4 mark:/ mark:4 mark:] chord:Am7/G sign:- sign:/ sign:= bar:| sign:% bar:| bar:| "
              "chord:C7-9 other:* other:x");
    EXPECT_EQ(
        Scan(scanner, "[CHORD mu = 0 -4 7] [TEMPO=90] [Tempo=9] [Tempo]"),
        "mark:[ mark:CHORD mark:mu mark:= mark:0 mark:-4 mark:7 mark:] mark:[ mark:TEMPO mark:= mark:90 "
        "mark:] mark:[ other:T other:e other:m other:p other:o mark:= mark:9 mark:] section:[Tempo]");
    EXPECT_EQ(Scan(scanner, "# Blues | C\n"), "comment:# Blues | C");
    EXPECT_EQ(Scan(scanner, " # x"), "other:# other:x");
}

TEST(ChartLineScanner, AnOpenBracketGoesOnInTheNextLine) {
    ChartLineScanner scanner;
    const ScannedChartLine open = scanner.Scan("C | [CHORD\n", State::Chords);
    EXPECT_EQ(open.end, State::DefinitionName);
    EXPECT_EQ(Scan(scanner, "mu = 0 4 7] C", open.end), "mark:mu mark:= mark:0 mark:4 mark:7 mark:] chord:C");
    EXPECT_EQ(Scan(scanner, "mu = 0 4 7] C", State::Chords),
              "other:m other:u sign:= other:0 other:4 other:7 mark:] chord:C");
    // A continued line goes on in its bracket; its backslash and line break are no lexemes.
    const ScannedChartLine continued = scanner.Scan("[TEMPO= \\ \n", State::Chords);
    EXPECT_EQ(continued.tokens.size(), 3u);
    EXPECT_EQ(continued.end, State::Bracket);
    EXPECT_EQ(Scan(scanner, "120] C", continued.end), "mark:120 mark:] chord:C");
}

}  // namespace
}  // namespace kaz
