#include "language/compile_score.h"

#include <new>

#include "harmony/notation_check.h"
#include "language/parse_chart.h"
#include "render/form_unrolling.h"
#include "style/style_marks.h"

namespace kaz {

namespace {

bool ParseAndRender(CompileState& state, std::string_view text) {
    state.score.chartNotation = NotationOfChart(text);
    ScoreBuilder builder(state.score, state.context, state.chordDefinitions);
    return ParseChart(state.context, builder, state.chordDefinitions) == kParseAccepted &&
           CheckChartNotation(state.score, state.context, state.settings.notation) &&
           UnrollForm(state.score, state.context) &&
           CheckStyleMarks(state.score, state.context, state.settings.style.library.get()) &&
           RenderArrangement(state.score, state.settings, state.events);
}

CompileResult Failed(CompileState& state) {
    ClearScore(state.score, state.events);
    const CompileContext& context = state.context;
    CompileResult result;
    if (context.lastError) {
        result.outcome = CompileOutcome::LanguageError;
        result.error = *context.lastError;
    } else if (context.fault) {
        result.outcome = CompileOutcome::Fault;
        result.fault = *context.fault;
    } else {
        result.outcome = CompileOutcome::NothingToPlay;
        result.hints = context.hints;
    }
    return result;
}

}  // namespace

CompileResult Compile(CompileState& state, std::string_view text) {
    ClearScore(state.score, state.events);
    state.context.Reset(text);
    state.score.ResetCompileState();
    state.score.ReserveForChart(text.size());
    try {
        if (ParseAndRender(state, text)) {
            CompileResult accepted;
            accepted.hints = state.context.hints;
            return accepted;
        }
    } catch (const std::bad_alloc&) {
        // A chart too large for the memory there is: the compile fails, the program and the text stay.
        ClearScore(state.score, state.events);
        ReportCompileFault(state.context, kOutOfMemory);
    }
    return Failed(state);
}

bool ShowCompileResult(const CompileResult& result, Editor& view, ErrorPresenter& presenter) {
    switch (result.outcome) {
        case CompileOutcome::Accepted:
            return true;
        case CompileOutcome::LanguageError:
            ShowLanguageError(result.error, view, presenter);
            break;
        case CompileOutcome::Fault:
            presenter.ShowMessage(kErrorCaption, result.fault, MessageIcon::Exclamation);
            break;
        case CompileOutcome::NothingToPlay:
            presenter.ShowMessage(kProgramCaption, kNothingToPlay, MessageIcon::Information);
            break;
    }
    return false;
}

bool CompileScore(CompileState& state, std::string_view text, Editor& view, ErrorPresenter& presenter) {
    return ShowCompileResult(Compile(state, text), view, presenter);
}

}  // namespace kaz
