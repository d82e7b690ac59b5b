#include "base/compile_context.h"

#include <algorithm>
#include <utility>

namespace kaz {

void CompileContext::Reset(std::string_view text) {
    sourceText = text;
    readPos = 0;
    lineIndex = 0;
    tokenStart = tokenLength = blanksAfterToken = 0;
    bracketStart = bracketEnd = 0;
    lastError.reset();
    fault.reset();
    hints.clear();
}

void NoteToken(CompileContext& context, std::string_view lexeme) {
    context.tokenStart += context.tokenLength + std::exchange(context.blanksAfterToken, 0);
    context.tokenLength = static_cast<int>(lexeme.size());
    if (lexeme.starts_with('[')) {
        context.bracketStart = context.tokenStart;
    } else if (lexeme.starts_with(']')) {
        context.bracketEnd = context.tokenStart + 1;
    }
}

std::string FormatErrorMessage(const LanguageError& error) {
    return "Line: " + std::to_string(error.line) + "\n" + error.message + ": `" + error.text + "`";
}

void ReportError(CompileContext& context, Message message, std::string_view text, int line, int selStart,
                 int selEnd) {
    std::string english = message.English();
    context.lastError.emplace(LanguageError{std::move(english), std::string(text), line,
                                            TextRange{selStart, selEnd}, std::move(message)});
}

void ReportHint(CompileContext& context, Message message, std::string_view text, int line, int selStart,
                int selEnd) {
    if (context.hints.size() >= kMostHints) {
        return;
    }
    context.hints.push_back(LanguageHint{message.English(), std::string(text), line,
                                         TextRange{selStart, selEnd}, std::move(message)});
}

int LineAt(std::string_view text, int offset) {
    const auto end = text.begin() + std::clamp(offset, 0, static_cast<int>(text.size()));
    return static_cast<int>(std::count(text.begin(), end, '\n')) + 1;
}

void ReportSyntaxError(CompileContext& context) {
    ReportError(context, "Unexpected symbol", context.TokenText(), context.lineIndex + 1, context.tokenStart,
                context.tokenStart + context.tokenLength);
}

void ReportCompileFault(CompileContext& context, std::string_view message) {
    context.fault.emplace(message);
}

}  // namespace kaz
