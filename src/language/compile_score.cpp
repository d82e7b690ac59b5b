#include "language/compile_score.h"

#include <new>
#include <utility>

#include "chart/mixer_line.h"
#include "chart/notation_line.h"
#include "harmony/notation_check.h"
#include "language/parse_chart.h"
#include "render/form_unrolling.h"
#include "style/style_marks.h"

namespace kaz {

namespace {

//! The settings with the mix the chart keeps in its comment line.
RenderSettings WithChartMix(const RenderSettings& settings, std::string_view text) {
    RenderSettings mixed = settings;
    mixed.parts = WithChartMixer(text, settings.parts);
    return mixed;
}

//! Read the chart into its score, then play the score into its performance (or its stream).
bool ParseAndRender(CompileContext& context, CompiledChart& chart, ChordDefinitions& definitions,
                    EventConsumer* stream) {
    ScoreBuilder builder(chart.score, context, definitions);
    if (ParseChart(context, builder, definitions) != kParseAccepted ||
        !CheckChartNotation(chart.score, context, chart.settings.notation) ||
        !UnrollForm(chart.score, context) ||
        !CheckStyleMarks(chart.score, context, chart.settings.style.library.get())) {
        return false;
    }
    if (stream != nullptr) {
        stream->Begin(chart.score);
    }
    return RenderArrangement(chart.score, WithChartMix(chart.settings, chart.text), chart.performance);
}

//! The highlights of a kept performance.
std::vector<Cue> CuesOf(const EventList& performance) {
    std::vector<Cue> cues;
    for (std::size_t i = 0; i < performance.size(); ++i) {
        const MidiEvent& event = performance[i];
        if (event.kind == EventKind::Highlight) {
            cues.push_back({i, {event.start(), event.end()}});
        }
    }
    return cues;
}

//! Why the compile failed, from what the context recorded.
CompileResult Failed(const CompileContext& context) {
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

std::shared_ptr<const CompiledChart> Compile(std::string text, const CompileOptions& options) {
    auto chart = std::make_shared<CompiledChart>();
    chart->text = std::move(text);
    chart->settings = options.settings;
    auto definitions = options.chordDefinitions != nullptr
                           ? std::make_shared<ChordDefinitions>(*options.chordDefinitions)
                           : std::make_shared<ChordDefinitions>();
    CompileContext context;
    context.Reset(chart->text);
    ScoreTree& score = chart->score;
    score.ResetCompileState();
    score.ReserveForChart(chart->text.size());
    // The notation the chart keeps in its own line wins over the user's, for every reader of the compile.
    const std::optional<NotationMode> kept = NotationOfChart(chart->text);
    score.notationKept = kept.has_value();
    chart->settings.notation = kept.value_or(options.settings.notation);
    chart->performance.StreamTo(options.stream);
    bool accepted = false;
    try {
        accepted = ParseAndRender(context, *chart, *definitions, options.stream);
    } catch (const std::bad_alloc&) {
        // A chart too large for the memory there is: the compile fails, the program and the text stay.
        ClearScore(score, chart->performance);
        ReportCompileFault(context, kOutOfMemory);
    }
    if (accepted) {
        chart->result.hints = std::move(context.hints);
        chart->cues = CuesOf(chart->performance);
    } else {
        chart->result = Failed(context);
        // A chart that sounds no note is still read whole; a broken one is not.
        chart->performance.Clear();
        if (chart->result.outcome != CompileOutcome::NothingToPlay) {
            score.Clear();
        }
    }
    if (chart->result.outcome != CompileOutcome::LanguageError && score.tempoGiven) {
        chart->tempoMark = score.scoreTempo;
    }
    chart->chordDefinitions = std::move(definitions);
    return chart;
}

}  // namespace kaz
