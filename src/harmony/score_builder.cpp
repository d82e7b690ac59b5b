#include "harmony/score_builder.h"

#include <algorithm>
#include <string>

#include "base/tempo.h"
#include "harmony/chord_analysis.h"
#include "harmony/spelling_hints.h"

namespace kaz {

namespace {

constexpr int kMinMeterPart = 1;
constexpr int kMaxMeterPart = 256;

std::string MeterText(int num, int den) {
    return std::to_string(num) + "/" + std::to_string(den);
}

}  // namespace

ScoreBuilder::ScoreBuilder(ScoreTree& score, CompileContext& context, const ChordDefinitions& definitions)
    : score_(score), context_(context), definitions_(definitions), measureCount_(score.CountMeasures()) {}

Measure* ScoreBuilder::NewMeasure() {
    Measure& measure = score_.allMeasures.emplace_back();
    measure.ticks = score_.currentMeter.ticks;
    measure.meterNum = static_cast<std::int16_t>(score_.currentMeter.num);
    measure.meterDen = static_cast<std::int16_t>(score_.currentMeter.den);
    return &measure;
}

ScoreLine* ScoreBuilder::NewScoreLine() {
    return &score_.AddLine();
}

bool ScoreBuilder::AddChord(Measure& measure, std::string_view tokenText) {
    Chord& chord = score_.allChords.emplace_back();
    chord.textStart = context_.tokenStart;
    chord.textEnd = context_.tokenStart + context_.tokenLength;
    measure.chords.AddLast(score_.allChords);

    const ChordAnalysis result = AnalyzeChord(chord, tokenText, score_, definitions_, symbols_);
    if (result == ChordAnalysis::Ok) {
        HintAtChord(chord);
        return true;
    }
    const std::string_view message =
        result == ChordAnalysis::Ambiguous ? "B/Bb/H ambiguity" : "Unknown chord";
    ReportError(context_, message, tokenText, context_.lineIndex + 1, chord.textStart, chord.textEnd);
    return false;
}

void ScoreBuilder::HintAtChord(const Chord& chord) {
    // A chord the chart defines means what the chart says.
    if (!IsNoteLetter(chord.text().front()) ||
        (!definitions_.empty() &&
         (definitions_.Find(chord.text()) != nullptr || definitions_.Find(chord.suffix()) != nullptr))) {
        return;
    }
    if (const std::optional<std::string> hint = SpellingHint(chord)) {
        ReportHint(context_, *hint, chord.text(), context_.lineIndex + 1, chord.textStart, chord.textEnd);
    }
}

void ScoreBuilder::AppendMeasure(ScoreLine& line, Measure& measure) {
    score_.AppendToLine(line, measure);
    ++measureCount_;
    score_.meterGiven = false;
}

void ScoreBuilder::AppendNewMeasures(ScoreLine& line, int count) {
    for (int i = 0; i < count; ++i) {
        score_.AppendToLine(line, *NewMeasure());
    }
    measureCount_ += count;
}

void ScoreBuilder::PadLine(ScoreLine& line, int front, int back) {
    if (front > 0) {
        // Made in order at the end, then moved to the front: slot 0 holds the first one made.
        AppendNewMeasures(line, front);
        score_.MoveToLineFront(line, static_cast<std::size_t>(front));
    }
    if (back > 0) {
        AppendNewMeasures(line, back);
    }
}

void ScoreBuilder::AddRepeatMark() {
    score_.pendingRepeats.push_back({context_.tokenStart, context_.tokenStart + context_.tokenLength});
}

void ScoreBuilder::AppendRepeatMeasures(ScoreLine& line) {
    const auto count = static_cast<int>(score_.pendingRepeats.size());
    const int base = std::max(measureCount_ - count, 0);
    for (int i = 0; i < count; ++i) {
        Measure& repeat = *NewMeasure();
        score_.AppendToLine(line, repeat);
        ++measureCount_;
        // Before any measure the index reaches the repeat measure itself, which then repeats itself.
        const Measure* repeated = score_.MeasureAt(base + i, measureCount_);
        const Measure* source = repeated != nullptr ? repeated->source : &repeat;
        repeat.source = source;
        repeat.ticks = source->ticks;
        repeat.meterNum = source->meterNum;
        repeat.meterDen = source->meterDen;
        repeat.repeatStart = score_.pendingRepeats[static_cast<std::size_t>(i)].start;
        repeat.repeatEnd = score_.pendingRepeats[static_cast<std::size_t>(i)].end;
    }
    score_.pendingRepeats.clear();
}

bool ScoreBuilder::SetMeter(int num, int den) {
    if (score_.meterGiven) {
        ReportAtBracket("Multiple meter", MeterText(num, den));
        return false;
    }
    if (num < kMinMeterPart || num > kMaxMeterPart || den < kMinMeterPart || den > kMaxMeterPart) {
        ReportAtBracket("Invalid meter", MeterText(num, den));
        return false;
    }
    score_.currentMeter = Meter{num, den, num * TICKS_PER_WHOLE / den};
    score_.meterGiven = true;
    return true;
}

bool ScoreBuilder::SetTempo(int bpm) {
    if (score_.tempoGiven) {
        ReportAtBracket("Multiple tempo", std::to_string(bpm));
        return false;
    }
    if (bpm < kMinTempo || bpm > kMaxTempo) {
        ReportAtBracket("Invalid tempo", std::to_string(bpm));
        return false;
    }
    score_.scoreTempo = bpm;
    score_.tempoGiven = true;
    return true;
}

void ScoreBuilder::ReportAtBracket(std::string_view message, std::string_view text) {
    ReportError(context_, message, text, context_.lineIndex + 1, context_.bracketStart, context_.bracketEnd);
}

}  // namespace kaz
