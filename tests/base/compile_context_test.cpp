#include "base/compile_context.h"

#include <gtest/gtest.h>

#include "support/test_doubles.h"

namespace kaz {
namespace {

TEST(NoteToken, LexemesLieEndToEndAndBracketsAreRemembered) {
    CompileContext context;
    test::RecordingEditor editor;
    test::RecordingPresenter presenter;
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

TEST(ShowLanguageError, SelectsTheTextThenShowsOneMessageInTheFixedForm) {
    test::RecordingEditor editor;
    test::RecordingPresenter presenter;
    ShowLanguageError(LanguageError{"Unknown chord", "Cadd9", 2, {5, 10}}, editor, presenter);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, "Kaz error");
    EXPECT_EQ(presenter.messages[0].text, "Line: 2\nUnknown chord: `Cadd9`");
    EXPECT_EQ(presenter.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(editor.selection, (TextRange{5, 10}));
    EXPECT_EQ(editor.scrolls, 1);
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
