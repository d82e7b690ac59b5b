#include <gtest/gtest.h>

#include <string>

#include "language/chart_line_scanner.h"

namespace kaz {
namespace {

//! The form and section marks of line, each with its kind.
std::string FormKinds(const std::string& line) {
    ChartLineScanner scanner;
    std::string kinds;
    for (const ChartToken& token : scanner.Scan(line, ChartLineState::Chords).tokens) {
        const std::string text =
            line.substr(static_cast<std::size_t>(token.start), static_cast<std::size_t>(token.length));
        if (token.kind == ChartTokenKind::Form || token.kind == ChartTokenKind::Section) {
            kinds += (token.kind == ChartTokenKind::Form ? "form:" : "section:") + text + " ";
        }
    }
    return kinds;
}

TEST(FormMarkColours, RepeatSignsJumpsAndEndingsAreFormAndSectionMarksAreSections) {
    EXPECT_EQ(FormKinds("[A] |: C | [1.] D [x2] :| x2 [2.] E [D.S. al Coda] ||\n"),
              "section:[A] form:|: form:[1.] form:[x2] form::| form:x2 form:[2.] form:[D.S. al Coda] ");
    EXPECT_EQ(FormKinds("[Strophe] [Coda] C [fine] | D [To Coda] | [dc al fine]\n"),
              "section:[Strophe] form:[Coda] form:[fine] form:[To Coda] form:[dc al fine] ");
}

}  // namespace
}  // namespace kaz
