#include "style/bass_line.h"

#include <cstdlib>

namespace kaz {

namespace {

// Where a line starts when nothing has sounded yet: the middle of the bass, around E2.
constexpr std::int32_t kFirstBassKey = 40;
// A chord tone further than this from the last note is reached by turning round instead.
constexpr std::int32_t kLongestStep = 7;

bool InRange(std::int32_t key) {
    return key >= kLowestBassKey && key <= kHighestBassKey;
}

}  // namespace

std::int32_t BassLine::Nearest(std::int32_t pitchClass) const {
    const std::int32_t from = last_ == 0 ? kFirstBassKey : last_;
    const std::int32_t above = from + ChordTones::PitchClass(pitchClass - from);
    const std::int32_t below = above - 12;
    // The nearer of the two in range; the range spans more than an octave, so one of them always is.
    if (!InRange(below) || (InRange(above) && above - from <= from - below)) {
        return InRange(above) ? above : above - 12;
    }
    return below;
}

std::int32_t BassLine::Land(std::int32_t pitchClass) {
    const std::int32_t key = Nearest(pitchClass);
    direction_ = key < (kLowestBassKey + kHighestBassKey) / 2 ? 1 : -1;
    return key;
}

std::int32_t BassLine::Octave(const ChordTones& chord) const {
    if (last_ != 0 && ChordTones::PitchClass(last_) == chord.bass) {
        return InRange(last_ + 12) ? last_ + 12 : last_ - 12;
    }
    return Nearest(chord.bass);
}

std::int32_t BassLine::Approach(const ChordTones& next) {
    const std::int32_t target = Nearest(next.bass);
    // From above when the line is above the target, from below otherwise; now and then by a whole step.
    const std::int32_t side = last_ > target ? 1 : -1;
    const std::int32_t size = feel_.Pick(4) == 0 ? 2 : 1;
    for (const std::int32_t key :
         {target + side * size, target - side * size, target + side, target - side}) {
        if (InRange(key) && key != last_) {
            return key;
        }
    }
    return target;
}

std::int32_t BassLine::Walk(const BassMoment& moment) {
    if (moment.changes || last_ == 0) {
        return Land(moment.chord.bass);
    }
    if (moment.beforeNext && moment.next) {
        return Approach(*moment.next);
    }
    // The next chord tone on the way; now and then a passing tone between it and the last note instead.
    const bool passing = feel_.Pick(3) == 0;
    for (int turn = 0; turn < 2; ++turn) {
        for (std::int32_t step = 1; step <= kLongestStep && InRange(last_ + direction_ * step); ++step) {
            if (!moment.chord.Has(last_ + direction_ * step)) {
                continue;
            }
            if (passing && step >= 3) {
                return last_ + direction_ * (step >= 4 ? 2 : 1);
            }
            return last_ + direction_ * step;
        }
        direction_ = -direction_;
    }
    return Nearest(moment.chord.bass);
}

std::int32_t BassLine::Play(BassDegree degree, const BassMoment& moment) {
    std::int32_t key = 0;
    switch (degree) {
        case BassDegree::Root:
            key = Land(moment.chord.bass);
            break;
        case BassDegree::Third:
            key = Nearest(moment.chord.Degree({4, 3}));
            break;
        case BassDegree::Fifth:
            key = Nearest(moment.chord.Degree({7, 6, 8}));
            break;
        case BassDegree::Sixth:
            key = Nearest(moment.chord.root + 9);
            break;
        case BassDegree::Seventh:
            key = Nearest(moment.chord.Degree({10, 11, 9}));
            break;
        case BassDegree::Octave:
            key = Octave(moment.chord);
            break;
        case BassDegree::Walk:
            key = Walk(moment);
            break;
        case BassDegree::Approach:
            key = moment.next ? Approach(*moment.next) : Nearest(moment.chord.Degree({7, 6, 8}));
            break;
        case BassDegree::Next:
            key = Land(moment.next ? moment.next->bass : moment.chord.bass);
            break;
    }
    last_ = key;
    return key;
}

}  // namespace kaz
