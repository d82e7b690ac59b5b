#include "language/compile_score.h"

#include <new>

#include "language/parse_chart.h"

namespace kaz {

namespace {

bool ParseAndRender(CompileState& state) {
    ScoreBuilder builder(state.score, state.context, state.chordDefinitions);
    return ParseChart(state.context, builder, state.chordDefinitions) == kParseAccepted &&
           RenderArrangement(state.score, state.settings, state.events);
}

}  // namespace

bool CompileScore(CompileState& state, std::string_view text, Editor& view, ErrorPresenter& presenter) {
    ClearScore(state.score, state.events);
    state.context.Reset(text, view, presenter);
    state.score.ResetCompileState();
    bool compiled = false;
    try {
        compiled = ParseAndRender(state);
    } catch (const std::bad_alloc&) {
        // A chart too large for the memory there is: the compile fails, the program and the text stay.
        ClearScore(state.score, state.events);
        ReportCompileFault(state.context, kOutOfMemory);
        return false;
    }
    if (compiled) {
        return true;
    }
    ClearScore(state.score, state.events);
    if (!state.context.lastError && !state.context.fault) {
        presenter.ShowMessage("Kaz", kNothingToPlay, MessageIcon::Information);
    }
    return false;
}

}  // namespace kaz
