#include "language/chart_line_scanner.h"

#include <cstdio>
#include <exception>

#include "chart_grammar.h"
#include "harmony/chord_analysis.h"
#include "harmony/form_mark_words.h"

// The chart scanner's entry points (chart_scanner.l).
int ChartLex(CHART_STYPE* value, void* scanner);
int chart_lex_init_extra(kaz::CompileContext* context, void** scanner);
int chart_lex_destroy(void* scanner);
void chart_restart(FILE* input, void* scanner);
kaz::ChartLineState ChartScannerLineState(void* scanner);
void SetChartScannerLineState(void* scanner, kaz::ChartLineState state);

namespace kaz {

namespace {

//! Signs, and "N.C.", which is silent like a rest.
bool IsSign(std::string_view symbol) {
    return symbol == "-" || symbol == "/" || symbol == "=" || IsNoChord(symbol);
}

//! An opening mark ("[A]") names a section unless it is a segno, a coda or an ending ("[1.]").
bool IsSection(std::string_view mark) {
    return OpeningMarkKind(MarkWord(mark)) == FormMarkKind::Section;
}

//! The kind of a token the scanner returned, text, matched in state.
ChartTokenKind KindOf(int token, std::string_view text, ChartLineState state) {
    switch (token) {
        case COMMENT:
        case LYRIC:
            return ChartTokenKind::Comment;
        case CHORD_SYMBOL:
            return IsSign(text) ? ChartTokenKind::Sign : ChartTokenKind::Chord;
        case REPEAT_OPEN:
        case REPEAT_CLOSE:
        case REPEAT_BOTH:
        case TIMES:
        case CLOSING_MARK:
            return ChartTokenKind::Form;
        case OPENING_MARK:
            return IsSection(text) ? ChartTokenKind::Section : ChartTokenKind::Form;
        case '[':
        case ']':
        case KW_CHORD:
        case KW_TEMPO:
        case STYLE_NAME:
        case KEY_NAME:
        case DEF_NAME:
        case NUMBER:
            return ChartTokenKind::Mark;
        default:
            break;
    }
    if (state == ChartLineState::Chords) {
        return token == '|'   ? ChartTokenKind::BarLine
               : token == '%' ? ChartTokenKind::Sign
                              : ChartTokenKind::Other;
    }
    return token == '=' || token == '/' ? ChartTokenKind::Mark : ChartTokenKind::Other;
}

}  // namespace

ChartLineScanner::~ChartLineScanner() {
    if (scanner_ != nullptr) {
        chart_lex_destroy(scanner_);
    }
}

ScannedChartLine ChartLineScanner::Scan(std::string_view line, ChartLineState start) {
    ScannedChartLine scanned{{}, start};
    if (scanner_ == nullptr && chart_lex_init_extra(&context_, &scanner_) != 0) {
        scanner_ = nullptr;
        return scanned;
    }
    context_.Reset(line);
    // A line starts afresh: at the beginning of a line, with nothing of the last one left in the buffer.
    chart_restart(nullptr, scanner_);
    SetChartScannerLineState(scanner_, start);
    try {
        CHART_STYPE value{};
        for (;;) {
            const ChartLineState state = ChartScannerLineState(scanner_);
            const int token = ChartLex(&value, scanner_);
            if (token == 0) {
                break;
            }
            if (token != '\n') {
                scanned.tokens.push_back(
                    {KindOf(token, context_.TokenText(), state), context_.tokenStart, context_.tokenLength});
            }
        }
        scanned.end = ChartScannerLineState(scanner_);
    } catch (const std::exception&) {
        // A scanner fault or exhausted memory: this scanner is in no state to go on, the next line gets a
        // fresh one.
        chart_lex_destroy(scanner_);
        scanner_ = nullptr;
    }
    return scanned;
}

}  // namespace kaz
