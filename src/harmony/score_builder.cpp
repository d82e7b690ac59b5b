#include "harmony/score_builder.h"

#include <algorithm>
#include <limits>
#include <string>

#include "base/tempo.h"
#include "harmony/chord_analysis.h"

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
        return true;
    }
    const std::string_view message =
        result == ChordAnalysis::Ambiguous ? "B/Bb/H ambiguity" : "Unknown chord";
    ReportError(context_, message, tokenText, context_.lineIndex + 1, chord.textStart, chord.textEnd);
    return false;
}

void ScoreBuilder::AppendMeasure(ScoreLine& line, Measure& measure) {
    OpenStyleMarks();
    score_.AppendToLine(line, measure);
    ++measureCount_;
    score_.meterGiven = false;
}

void ScoreBuilder::AppendNewMeasures(ScoreLine& line, int count) {
    OpenStyleMarks();
    for (int i = 0; i < count; ++i) {
        score_.AppendToLine(line, *NewMeasure());
    }
    measureCount_ += count;
}

void ScoreBuilder::PadLine(ScoreLine& line, int front, int back) {
    if (front > 0) {
        // Made in order at the end, then moved to the front: slot 0 holds the first one made.
        const std::size_t lineStart = score_.measureSlots.size() - line.measures.size();
        AppendNewMeasures(line, front);
        score_.MoveToLineFront(line, static_cast<std::size_t>(front));
        // A style mark on the line's first measure moves along with it.
        for (OpeningMark& mark : score_.styleMarks) {
            if (mark.slot >= lineStart && mark.slot < score_.measureSlots.size() - front) {
                mark.slot += static_cast<std::uint32_t>(front);
            }
        }
    }
    if (back > 0) {
        AppendNewMeasures(line, back);
    }
}

void ScoreBuilder::AddRepeatMark() {
    score_.pendingRepeats.push_back({context_.tokenStart, context_.tokenStart + context_.tokenLength});
}

void ScoreBuilder::AppendRepeatMeasures(ScoreLine& line) {
    OpenStyleMarks();
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

void ScoreBuilder::AddStyleMark(std::string_view lexeme) {
    std::string_view name = lexeme.substr(lexeme.find('=') + 1);
    const auto first = name.find_first_not_of(" \t");
    name = first == std::string_view::npos ? std::string_view()
                                           : name.substr(first, name.find_last_not_of(" \t") - first + 1);
    // No measure yet: a mark with none after it opens nothing.
    score_.styleMarks.push_back({std::string(name), std::numeric_limits<std::uint32_t>::max(),
                                 context_.bracketStart, context_.bracketEnd});
    ++openStyleMarks_;
}

void ScoreBuilder::OpenStyleMarks() {
    const auto slot = static_cast<std::uint32_t>(score_.measureSlots.size());
    for (std::size_t i = score_.styleMarks.size() - openStyleMarks_; i < score_.styleMarks.size(); ++i) {
        score_.styleMarks[i].slot = slot;
    }
    openStyleMarks_ = 0;
}

void ScoreBuilder::ReportAtBracket(std::string_view message, std::string_view text) {
    ReportError(context_, message, text, context_.lineIndex + 1, context_.bracketStart, context_.bracketEnd);
}

}  // namespace kaz
