%{
// The chart grammar. Its actions build the score tree as soon as a construct's last token is read, so an
// error they report points at that construct.
#include <algorithm>

#include "language/misspelt_mark.h"
#include "language/parse_chart.h"
#include "language/scanner_fault.h"
%}

%code requires {
#include <cstdint>

#include "harmony/chord_definitions.h"
#include "harmony/score_builder.h"

//! A lexeme the scanner hands over, chord symbols and definition names, as its place in the chart text. Eight
//! bytes, so that every semantic value is: the parser copies one for every reduction.
struct ChartText {
    std::int32_t start;
    std::int32_t length;
};

//! What the actions work on during one parse.
struct ChartParse {
    kaz::CompileContext& context;
    kaz::ScoreBuilder& builder;
    kaz::ChordDefinitions& definitions;
    void* scanner;
};
}

%code {
int ChartLex(CHART_STYPE* value, void* scanner);
int chart_lex_init_extra(kaz::CompileContext* context, void** scanner);
int chart_lex_destroy(void* scanner);

namespace {

// The scanner names comments and the words of lyric lines for the editor's colours; the grammar has no place
// for them.
int chart_lex(CHART_STYPE* value, ChartParse& parse) {
    int token = 0;
    do {
        token = ChartLex(value, parse.scanner);
    } while (token == COMMENT || token == LYRIC);
    return token;
}

void chart_error(ChartParse& parse, const char*) {
    if (!kaz::ReportMisspeltMark(parse.context)) {
        kaz::ReportSyntaxError(parse.context);
    }
}

std::string_view View(const ChartParse& parse, ChartText text) {
    return parse.context.sourceText.substr(static_cast<std::size_t>(text.start),
                                           static_cast<std::size_t>(text.length));
}

// What the marks at the start of a line are, as flags: they decide whether measures may follow them there.
constexpr int kDefinitionMark = 1;
constexpr int kMeasureMark = 2;  // a meter or a tempo
constexpr int kFormMark = 4;     // a section, an ending, a segno, a coda or a style
constexpr int kMoreMarks = 8;    // more than one

// Measures follow the marks that start a line when one of them is a form mark, or when the line starts with
// a single meter or tempo mark, which then opens the first measure as it always has.
bool MarksMayOpenMeasures(int marks) {
    return (marks & kFormMark) != 0 || marks == kMeasureMark;
}

// A repeat sign is a bar line, or a double one (":||"); the bar lines it has beyond those stand for empty
// measures after it, as they do written apart (":|| |").
int BarsBeyondTheSign(const ChartParse& parse, ChartText sign) {
    const std::string_view text = View(parse, sign);
    return std::max(static_cast<int>(std::count(text.begin(), text.end(), '|')) - 2, 0);
}

void Define(ChartParse& parse, ChartText name, std::initializer_list<std::int32_t> values) {
    parse.definitions.DefineChord(View(parse, name),
                                  std::span<const std::int32_t>(values.begin(), values.size()));
}

}  // namespace

// Real charts stay a few entries deep: every list in the grammar is left-recursive.
#define YYINITDEPTH 200
#define YYMAXDEPTH 10000
}

%define api.pure full
%define api.prefix {chart_}
%param {ChartParse& parse}

%union {
    int number;
    ChartText text;
    kaz::Measure* measure;
    kaz::ScoreLine* line;
}

%token <number> NUMBER 258
%token <text> CHORD_SYMBOL 259
%token KW_CHORD 260
%token <text> DEF_NAME 261
%token KW_TEMPO 262
%token COMMENT LYRIC
%token <text> REPEAT_OPEN REPEAT_CLOSE REPEAT_BOTH TIMES OPENING_MARK CLOSING_MARK
%token <text> STYLE_NAME KEY_NAME

%type <text> defName
%type <number> bars stars separator mark markList
%type <measure> measure chordList
%type <line> measures barSequence markedMeasures repeatedSequence

/* The grammar is ambiguous on purpose. Its 17 shift/reduce and 64 reduce/reduce conflicts are resolved the
   usual way, shift before reduce and the earlier rule first, and so take these decisions: marks at the start of
   a line followed by a line break or the end make a mark line (a section, ending, segno or coda mark there opens
   the next measure written); followed by a repeat sign "|:" they are a mark line too, and the sign starts the
   line's measures; followed by anything else they open the line's first measure when one of them is a form or
   style mark, or when the line starts with a single meter or tempo mark (an empty measure when a bar line
   follows it); a run of bar lines is always one run; a bar line or repeat sign at the start or the end of a line
   leaves no empty measure beside it; an empty line is no line at all. A deterministic parser cannot declare its
   reduce/reduce count, so the test suite checks both counts. */

%%

chart
    : line
    | chart '\n' line
    ;

line
    : %empty
    | markList          { parse.builder.EndMarkLine(); }
    | barSequence
    | barSequence stars
    | markList marksOpenMeasures markedSequence
    | markList marksOpenMeasures markedSequence stars
    | markList marksOpenMeasures repeatedSequence
    | markList marksOpenMeasures repeatedSequence stars
    | lineEndMarks
    ;

markList
    : mark
    | markList mark     { $$ = $1 | $2 | kMoreMarks; }
    ;

mark
    : chordDef          { $$ = kDefinitionMark; }
    | meterMark         { $$ = kMeasureMark; }
    | tempoMark         { $$ = kMeasureMark; }
    | openingMark       { $$ = kFormMark; }
    | styleMark         { $$ = kFormMark; }
    ;

/* Reduced on the first token after the marks, so an error quotes that token as the parser's own would. */
marksOpenMeasures
    : %empty
        {
            if (!MarksMayOpenMeasures($<number>0)) {
                kaz::ReportSyntaxError(parse.context);
                YYABORT;
            }
        }
    ;

/* The measures after the marks that start a line: as a bar sequence, but never starting with a '%', and a
   bar line right after the marks ends an empty first measure. */
markedSequence
    : markedMeasures
    | markedMeasures separator
                        { parse.builder.PadLine(*$1, 0, $2); }
    | markedMeasures separator
                        { parse.builder.PadLine(*$1, 0, $2); }
      lineEndMarks
    ;

/* Marks followed by a repeat sign at the start of a line are a line of marks of their own: the repeat sign
   starts the line's measures, and a meter or tempo mark before it opens no empty measure. */
repeatedSequence
    : lineOpeningRepeat { $$ = parse.builder.NewScoreLine(); }
    | lineOpeningRepeat measures
                        { $$ = $2; }
    | lineOpeningRepeat measures separator
                        { parse.builder.PadLine(*$2, 0, $3); $$ = $2; }
    | lineOpeningRepeat measures separator
                        { parse.builder.PadLine(*$2, 0, $3); }
      lineEndMarks      { $$ = $2; }
    ;

lineOpeningRepeat
    : REPEAT_OPEN       { parse.builder.EndMarkLine(); parse.builder.OpenRepeat($1.start, $1.length); }
    ;

/* Closing marks after a line's last bar line, or on a line of their own, end the last measure written:
   "G7 | [D.C. al Fine]". */
lineEndMarks
    : closingMarks      { if (!parse.builder.EndLastMeasure()) YYABORT; }
    ;

markedMeasures
    : measure           { $$ = parse.builder.NewScoreLine(); parse.builder.AppendMeasure(*$$, *$1); }
    | markedMeasures '|' chordList
                        { parse.builder.AppendMeasure(*$1, *$3); }
    | markedMeasures '|' chordList closingMarks
                        { parse.builder.AppendMeasure(*$1, *$3); }
    | markedMeasures separator measure
                        { parse.builder.PadLine(*$1, 0, $2); parse.builder.AppendMeasure(*$1, *$3); }
    | markedMeasures separator repeats
                        { parse.builder.PadLine(*$1, 0, $2); parse.builder.AppendRepeatMeasures(*$1); }
    ;

chordDef
    : '[' KW_CHORD defName '=' NUMBER ']'
        { Define(parse, $3, {$5}); }
    | '[' KW_CHORD defName '=' NUMBER NUMBER ']'
        { Define(parse, $3, {$5, $6}); }
    | '[' KW_CHORD defName '=' NUMBER NUMBER NUMBER ']'
        { Define(parse, $3, {$5, $6, $7}); }
    | '[' KW_CHORD defName '=' NUMBER NUMBER NUMBER NUMBER ']'
        { Define(parse, $3, {$5, $6, $7, $8}); }
    | '[' KW_CHORD defName '=' NUMBER NUMBER NUMBER NUMBER NUMBER ']'
        { Define(parse, $3, {$5, $6, $7, $8, $9}); }
    | '[' KW_CHORD defName '=' NUMBER NUMBER NUMBER NUMBER NUMBER NUMBER ']'
        { Define(parse, $3, {$5, $6, $7, $8, $9, $10}); }
    ;

defName
    : %empty            { $$ = ChartText{0, 0}; }
    | DEF_NAME
    ;

barSequence
    : separator         { $$ = parse.builder.NewScoreLine(); parse.builder.PadLine(*$$, 0, $1); }
    | measures
    | separator measures
                        { parse.builder.PadLine(*$2, $1, 0); $$ = $2; }
    | measures separator
                        { parse.builder.PadLine(*$1, 0, $2); }
    | separator measures separator
                        { parse.builder.PadLine(*$2, $1, $3); $$ = $2; }
    | measures separator
                        { parse.builder.PadLine(*$1, 0, $2); }
      lineEndMarks
    | separator measures separator
                        { parse.builder.PadLine(*$2, $1, $3); }
      lineEndMarks      { $$ = $2; }
    ;

/* A measure of chords after a single bar line, most measures of every chart, is taken at once: without a
   separator and a measure made of it first. */
measures
    : measure           { $$ = parse.builder.NewScoreLine(); parse.builder.AppendMeasure(*$$, *$1); }
    | measures '|' chordList
                        { parse.builder.AppendMeasure(*$1, *$3); }
    | measures '|' chordList closingMarks
                        { parse.builder.AppendMeasure(*$1, *$3); }
    | measures separator measure
                        { parse.builder.PadLine(*$1, 0, $2); parse.builder.AppendMeasure(*$1, *$3); }
    | repeats           { $$ = parse.builder.NewScoreLine(); parse.builder.AppendRepeatMeasures(*$$); }
    | measures separator repeats
                        { parse.builder.PadLine(*$1, 0, $2); parse.builder.AppendRepeatMeasures(*$1); }
    ;

/* Marks and closing marks are spelled out rather than optional: a plain measure of chords, which is most of
   every chart, then takes one reduction instead of four. */
measure
    : %empty            { $$ = parse.builder.NewMeasure(); }
    | measureMarks measureEnd
                        { $$ = parse.builder.NewMeasure(); }
    | chordList
    | chordList closingMarks
    | measureMarks chordList
                        { $$ = $2; }
    | measureMarks chordList closingMarks
                        { $$ = $2; }
    ;

measureMarks
    : meterMark
    | measureMarks meterMark
    | tempoMark
    | measureMarks tempoMark
    | countMark
    | measureMarks countMark
    | openingMark
    | measureMarks openingMark
    | styleMark
    | measureMarks styleMark
    ;

meterMark
    : '[' NUMBER '/' NUMBER ']'
        { if (!parse.builder.SetMeter($2, $4)) YYABORT; }
    ;

/* "[TEMPO=66.]" counts dotted quarter notes, the beat of 6/8, 9/8 and 12/8. */
tempoMark
    : '[' KW_TEMPO '=' NUMBER ']'
        { if (!parse.builder.SetTempo($4)) YYABORT; }
    | '[' KW_TEMPO '=' NUMBER '.' ']'
        { if (!parse.builder.SetTempo($4, true)) YYABORT; }
    ;

countMark
    : '[' NUMBER ']'    { parse.builder.AddCountMark(); }
    ;

openingMark
    : OPENING_MARK
        { if (!parse.builder.AddOpeningMark(View(parse, $1))) YYABORT; }
    ;

/* A style or a key: each holds from the measure it opens on. */
styleMark
    : '[' STYLE_NAME ']'
        { parse.builder.AddStyleMark(View(parse, $2)); }
    | '[' KEY_NAME ']'
        { if (!parse.builder.AddKeyMark(View(parse, $2))) YYABORT; }
    ;

measureEnd
    : %empty
    ;

closingMarks
    : closingMark
    | closingMarks closingMark
    ;

closingMark
    : CLOSING_MARK
        { if (!parse.builder.AddClosingMark(View(parse, $1))) YYABORT; }
    ;

chordList
    : CHORD_SYMBOL
        {
            $$ = parse.builder.NewMeasure();
            if (!parse.builder.AddChord(*$$, View(parse, $1))) YYABORT;
        }
    | chordList CHORD_SYMBOL
        { if (!parse.builder.AddChord(*$1, View(parse, $2))) YYABORT; }
    ;

/* A run of two bar lines or more, its value the number after the first; a single one, the usual separator,
   is a separator at once. */
bars
    : '|' '|'           { $$ = 1; }
    | bars '|'          { $$ = $1 + 1; }
    ;

/* A repeat sign is a bar line of its own: the measures on either side of it meet there. */
separator
    : '|'               { $$ = 0; }
    | bars
    | REPEAT_OPEN       { parse.builder.OpenRepeat($1.start, $1.length); $$ = 0; }
    | REPEAT_CLOSE      {
                            if (!parse.builder.CloseRepeat($1.start, $1.length, {})) YYABORT;
                            $$ = BarsBeyondTheSign(parse, $1);
                        }
    | REPEAT_CLOSE TIMES
                        {
                            if (!parse.builder.CloseRepeat($1.start, $2.start + $2.length - $1.start, View(parse, $2))) YYABORT;
                            $$ = BarsBeyondTheSign(parse, $1);
                        }
    | REPEAT_BOTH       {
                            if (!parse.builder.CloseRepeat($1.start, $1.length, {})) YYABORT;
                            parse.builder.OpenRepeat($1.start, $1.length);
                            $$ = BarsBeyondTheSign(parse, $1);
                        }
    ;

stars
    : '*'               { $$ = 1; }
    | stars '*'         { $$ = $1 + 1; }
    ;

repeats
    : '%'               { parse.builder.AddRepeatMark(); }
    | repeats '%'       { parse.builder.AddRepeatMark(); }
    ;

%%

namespace kaz {

int ParseChart(CompileContext& context, ScoreBuilder& builder, ChordDefinitions& definitions) {
    void* scanner = nullptr;
    if (chart_lex_init_extra(&context, &scanner) != 0) {
        ReportCompileFault(context, "out of dynamic memory in yy_create_buffer()");
        return kParseAborted;
    }
    ChartParse parse{context, builder, definitions, scanner};
    int result = kParseAborted;
    try {
        result = chart_parse(parse);
        if (result == kParseAccepted && !builder.FinishForm()) {
            result = kParseAborted;
        }
    } catch (const ScannerFault& fault) {
        ReportCompileFault(context, fault.what());
    }
    chart_lex_destroy(scanner);
    return result;
}

}  // namespace kaz
