#include "base/compile_context.h"

#include <gtest/gtest.h>

namespace kaz {
namespace {

TEST(NoteToken, LexemesLieEndToEndAndBracketsAreRemembered) {
    CompileContext context;
    context.Reset("[3/4] C");
    for (std::string_view lexeme : {"[", "3", "/", "4", "]", " ", "C"}) {
        NoteToken(context, lexeme);
    }
    EXPECT_EQ(context.tokenStart, 6);
    EXPECT_EQ(context.tokenLength, 1);
    EXPECT_EQ(context.TokenText(), "C");
    EXPECT_EQ(context.bracketStart, 0);
    EXPECT_EQ(context.bracketEnd, 5);
}

TEST(ReportError, RecordsTheErrorAndShowsNothingWhileTheParseRuns) {
    CompileContext context;
    context.Reset("C |\r\nx");
    ReportError(context, "Unknown chord", "Cadd9", 2, 5, 10);
    ASSERT_TRUE(context.lastError);
    EXPECT_EQ(context.lastError->line, 2);
    EXPECT_EQ(context.lastError->selection, (TextRange{5, 10}));
}

TEST(FormatErrorMessage, TellsTheLineTheErrorAndItsTextInTheFixedForm) {
    EXPECT_EQ(FormatErrorMessage(LanguageError{"Unknown chord", "Cadd9", 2, {5, 10}, {}}),
              "Line: 2\nUnknown chord: `Cadd9`");
}

TEST(ReportSyntaxError, NamesAndSelectsTheLastLexeme) {
    CompileContext context;
    context.Reset("C |\nx");
    for (std::string_view lexeme : {"C", " ", "|", "\n"}) {
        NoteToken(context, lexeme);
    }
    context.lineIndex = 1;
    ReportSyntaxError(context);
    ASSERT_TRUE(context.lastError);
    EXPECT_EQ(FormatErrorMessage(*context.lastError), "Line: 2\nUnexpected symbol: `\n`");
    EXPECT_EQ(context.lastError->selection, (TextRange{3, 4}));
}

}  // namespace
}  // namespace kaz
