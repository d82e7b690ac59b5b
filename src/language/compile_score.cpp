#include "language/compile_score.h"

#include "language/parse_chart.h"

namespace kaz {

bool CompileScore(CompileState& state, std::string_view text, Editor& view, ErrorPresenter& presenter) {
    ClearScore(state.score, state.events);
    state.context.Reset(text, view, presenter);
    state.score.ResetCompileState();
    ScoreBuilder builder(state.score, state.context, state.chordDefinitions);
    if (ParseChart(state.context, builder, state.chordDefinitions) != kParseAccepted) {
        ClearScore(state.score, state.events);
        return false;
    }
    if (!RenderArrangement(state.score, state.settings, state.events)) {
        ClearScore(state.score, state.events);
        presenter.ShowMessage("Kaz", kNothingToPlay, MessageIcon::Information);
        return false;
    }
    return true;
}

}  // namespace kaz
