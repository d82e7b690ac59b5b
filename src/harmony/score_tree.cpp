#include "harmony/score_tree.h"

#include <algorithm>

namespace kaz {

NoteName::NoteName(std::string_view text)
    : size_(static_cast<std::uint8_t>(std::min<std::size_t>(text.size(), 2))) {
    std::copy_n(text.begin(), size_, chars_);
}

namespace {

// Swapping with an empty vector gives the memory of a long chart back, not only its records.
template <typename Records>
void Release(Records& records) {
    Records().swap(records);
}

}  // namespace

void ScoreTree::Clear() {
    Release(scoreLines);
    allMeasures.clear();
    allChords.clear();
    Release(pendingRepeats);
    bLettersSeen = 0;
    lastChord = nullptr;
}

void ScoreTree::ResetCompileState() {
    currentMeter = Meter{};
    meterGiven = false;
    tempoGiven = false;
}

int ScoreTree::CountMeasures() const {
    std::size_t count = 0;
    for (const auto& line : scoreLines) {
        count += line->measures.size();
    }
    return static_cast<int>(count);
}

const Measure* ScoreTree::MeasureAt(int index) const {
    if (index < 0) {
        return nullptr;
    }
    auto remaining = static_cast<std::size_t>(index);
    for (const auto& line : scoreLines) {
        if (remaining < line->measures.size()) {
            return line->measures[remaining];
        }
        remaining -= line->measures.size();
    }
    return nullptr;
}

const Measure* ScoreTree::MeasureAt(int index, int measureCount) const {
    if (index < 0 || index >= measureCount) {
        return nullptr;
    }
    // Counted from the end: the index of the wanted measure among the measures that follow it, plus one.
    auto fromEnd = static_cast<std::size_t>(measureCount - index);
    for (auto line = scoreLines.rbegin(); line != scoreLines.rend(); ++line) {
        const auto& measures = (*line)->measures;
        if (fromEnd <= measures.size()) {
            return measures[measures.size() - fromEnd];
        }
        fromEnd -= measures.size();
    }
    return nullptr;
}

}  // namespace kaz
