#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/message.h"
#include "base/text_range.h"

namespace kaz {

//! One language error as the user is shown it.
struct LanguageError {
    std::string message;  //!< e.g. "Unknown chord"
    std::string text;     //!< the offending text, shown between backquotes
    int line = 0;         //!< one-based line number shown
    TextRange selection;  //!< the text selected in the editor
    Message said;         //!< message as kept for the window to say in its own language
};

//! Something a chart says that compiles but most likely means something else to the musician who wrote it.
//! It never stops the compile: the performance stands, and the user is told what plays and how to write the
//! other meaning.
struct LanguageHint {
    std::string message;  //!< what Kaz plays and how to write the other meaning
    std::string text;     //!< the text it is about
    int line = 0;         //!< one-based line number shown
    TextRange selection;  //!< the text it is about, for the editor's mark
    Message said;         //!< message as kept for the window to say in its own language
};

//! Where the scanner stands in the chart text during one compile, and what the compile has found wrong or
//! surprising so far. Each compile has its own.
struct CompileContext {
    std::string_view sourceText;  //!< the chart text, borrowed for one compile
    std::size_t readPos = 0;      //!< next byte the scanner takes
    int lineIndex = 0;            //!< line breaks consumed so far
    int tokenStart = 0;           //!< offset of the last lexeme
    int tokenLength = 0;          //!< its length
    int blanksAfterToken = 0;     //!< blanks the scanner read along with the last lexeme, just after it
    int bracketStart = 0;         //!< offset of the last '['
    int bracketEnd = 0;           //!< offset just past the last ']'

    //! The error reported by the current compile, if any.
    std::optional<LanguageError> lastError;
    //! A fault that ended the current compile: out of memory, or a scanner inconsistency.
    std::optional<std::string> fault;
    //! The hints of the current compile, in text order.
    std::vector<LanguageHint> hints;

    //! Start a compile of text.
    void Reset(std::string_view text);

    //! The last lexeme. Lexemes lie end to end in the text, so it is read from there instead of being copied
    //! for every lexeme.
    [[nodiscard]] std::string_view TokenText() const {
        return sourceText.substr(static_cast<std::size_t>(tokenStart), static_cast<std::size_t>(tokenLength));
    }
};

//! Position bookkeeping for every lexeme the scanner matches, returned as a token or skipped.
void NoteToken(CompileContext& context, std::string_view lexeme);
//! The last lexeme ends with blanks read along with it: they are no part of the token. Inline, as it runs for
//! most lexemes of a chart; there is usually one blank.
inline void LeaveTrailingBlanks(CompileContext& context) {
    const char* const lexeme = context.sourceText.data() + context.tokenStart;
    int length = context.tokenLength;
    while (length > 0 && (lexeme[length - 1] == ' ' || lexeme[length - 1] == '\t')) {
        --length;
    }
    context.blanksAfterToken = context.tokenLength - length;
    context.tokenLength = length;
}

//! The one reporter of language errors. It only records the error: the compile returns it as data, and its
//! caller tells the user once the parse has returned.
void ReportError(CompileContext& context, Message message, std::string_view text, int line, int selStart,
                 int selEnd);

//! The hints one compile keeps: a chart that repeats a surprising chord throughout is told of the first ones.
inline constexpr std::size_t kMostHints = 1000;

//! Record a hint about [selStart, selEnd) of the chart, unless kMostHints are recorded; the compile goes on.
void ReportHint(CompileContext& context, Message message, std::string_view text, int line, int selStart,
                int selEnd);

//! The one-based line the program shows for a byte offset of text: one more than the line breaks before it.
[[nodiscard]] int LineAt(std::string_view text, int offset);

//! The parser's error hook: "Unexpected symbol" at the last lexeme.
void ReportSyntaxError(CompileContext& context);

//! A fault that is not the chart's: the compile ends with message and the text stays as it is.
void ReportCompileFault(CompileContext& context, std::string_view message);

//! The text of a language error's message box: "Line: %d\n%s: `%s`".
[[nodiscard]] std::string FormatErrorMessage(const LanguageError& error);

}  // namespace kaz
