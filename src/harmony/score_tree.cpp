#include "harmony/score_tree.h"

#include <algorithm>

namespace kaz {

NoteName::NoteName(std::string_view text) {
    std::copy_n(text.begin(), std::min<std::size_t>(text.size(), 2), chars_);
}

namespace {

// Swapping with an empty vector gives the memory of a long chart back, not only its records.
template <typename Records>
void Release(Records& records) {
    Records().swap(records);
}

}  // namespace

ScoreLine& ScoreTree::AddLine() {
    ScoreLine& line = scoreLines.emplace_back();
    line.measures.slots_ = &measureSlots;
    line.measures.first_ = static_cast<std::uint32_t>(measureSlots.size());
    return line;
}

void ScoreTree::AppendToLine(ScoreLine& line, const Measure& measure) {
    measureSlots.push_back(&measure);
    ++line.measures.count_;
}

void ScoreTree::MoveToLineFront(ScoreLine& line, std::size_t count) {
    const auto first = measureSlots.begin() + line.measures.first_;
    std::rotate(first, measureSlots.end() - static_cast<std::ptrdiff_t>(count), measureSlots.end());
}

void ScoreTree::Clear() {
    chordTexts.clear();
    scoreLines.clear();
    Release(measureSlots);
    allMeasures.clear();
    allChords.clear();
    Release(pendingRepeats);
    Release(playOrder);
    Release(sections);
    Release(styleMarks);
    Release(keyMarks);
    Release(formMarks);
    // After the lists, whose records may live in its slabs.
    recordSlabs.Release();
    bLettersSeen = 0;
    lastChord = nullptr;
    firstGermanChord = nullptr;
    notationKept = false;
    intro = {};
}

void ScoreTree::ResetCompileState() {
    currentMeter = Meter{};
    meterGiven = false;
    tempoGiven = false;
}

void ScoreTree::ReserveForChart(std::size_t textBytes) {
    // A measure takes a chord and a bar line, four bytes with their blanks: few charts write them closer, and
    // room reserved but never used is never touched.
    constexpr std::size_t kBytesPerMeasure = 4;
    measureSlots.reserve(textBytes / kBytesPerMeasure + 1);
    // From some 5,000 measures on, the lines, measures and chords take half a megabyte or more between them:
    // then one huge page for all of them costs less than their small pages.
    constexpr std::size_t kSharedSlabsTextBytes = 32 * 1024;
    SharedSlabs* const shared = textBytes >= kSharedSlabsTextBytes ? &recordSlabs : nullptr;
    scoreLines.ShareSlabs(shared);
    allMeasures.ShareSlabs(shared);
    allChords.ShareSlabs(shared);
}

const Measure* ScoreTree::MeasureAt(int index) const {
    return MeasureAt(index, CountMeasures());
}

const Measure* ScoreTree::MeasureAt(int index, int measureCount) const {
    if (index < 0 || index >= measureCount) {
        return nullptr;
    }
    return measureSlots[static_cast<std::size_t>(index)];
}

}  // namespace kaz
