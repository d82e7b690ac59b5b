#include "style/comping_voicing.h"

#include <algorithm>
#include <cstdlib>

namespace kaz {

namespace {

// Four voices at most: with more tones the root (the bass has it) and then the fifth are left out.
constexpr std::size_t kMostVoices = 4;
// Where the first chord is voiced when there is none before it: around D4.
constexpr std::int32_t kFirstVoicingCentre = 62;

std::vector<std::int32_t> VoicedClasses(const ChordTones& chord) {
    std::vector<std::int32_t> classes;
    for (std::int32_t pitchClass = 0; pitchClass < 12; ++pitchClass) {
        if (chord.Has(pitchClass)) {
            classes.push_back(pitchClass);
        }
    }
    for (const std::int32_t dropped : {chord.root, ChordTones::PitchClass(chord.root + 7)}) {
        if (classes.size() > kMostVoices) {
            std::erase(classes, dropped);
        }
    }
    if (classes.size() > kMostVoices) {
        classes.resize(kMostVoices);
    }
    return classes;
}

//! How far voicing is from last: every key's distance to the nearest key of last, and the other way round.
std::int32_t Movement(const std::vector<std::int32_t>& voicing, const std::vector<std::int32_t>& last) {
    const auto nearest = [](std::int32_t key, const std::vector<std::int32_t>& keys) {
        std::int32_t best = 128;
        for (const std::int32_t other : keys) {
            best = std::min(best, std::abs(other - key));
        }
        return best;
    };
    std::int32_t cost = 0;
    for (const std::int32_t key : voicing) {
        cost += nearest(key, last);
    }
    for (const std::int32_t key : last) {
        cost += nearest(key, voicing);
    }
    return cost;
}

std::int32_t DistanceFromCentre(const std::vector<std::int32_t>& voicing) {
    std::int32_t sum = 0;
    for (const std::int32_t key : voicing) {
        sum += key;
    }
    return std::abs(sum - kFirstVoicingCentre * static_cast<std::int32_t>(voicing.size()));
}

}  // namespace

const std::vector<std::int32_t>& CompingVoicing::Voice(const ChordTones& chord) {
    // Seven bits a key of at most four, then the chord's pitch classes.
    std::uint64_t key = chord.classes;
    for (const std::int32_t voice : last_) {
        key = (key << 7) | static_cast<std::uint64_t>(voice);
    }
    key = (key << 3) | last_.size();
    const auto found = known_.find(key);
    if (found != known_.end()) {
        last_ = found->second;
    } else {
        last_ = Lead(chord);
        known_.emplace(key, last_);
    }
    return last_;
}

std::vector<std::int32_t> CompingVoicing::Lead(const ChordTones& chord) {
    const std::vector<std::int32_t> classes = VoicedClasses(chord);
    if (classes.empty()) {
        return {};
    }
    std::vector<std::int32_t> best;
    std::int32_t bestCost = 0;
    // Every inversion in close position, starting on every octave that keeps it in range.
    for (std::size_t inversion = 0; inversion < classes.size(); ++inversion) {
        for (std::int32_t low = kLowestCompKey; low < kLowestCompKey + 24; ++low) {
            if (ChordTones::PitchClass(low) != classes[inversion]) {
                continue;
            }
            candidate_.clear();
            std::int32_t key = low;
            for (std::size_t i = 0; i < classes.size(); ++i) {
                const std::int32_t pitchClass = classes[(inversion + i) % classes.size()];
                while (ChordTones::PitchClass(key) != pitchClass) {
                    ++key;
                }
                candidate_.push_back(key);
            }
            if (candidate_.back() > kHighestCompKey) {
                continue;
            }
            // Least movement first; the pull to the middle keeps a long song from drifting to an edge.
            const std::int32_t centre =
                DistanceFromCentre(candidate_) / static_cast<std::int32_t>(classes.size());
            const std::int32_t cost = last_.empty() ? centre : Movement(candidate_, last_) * 4 + centre;
            if (best.empty() || cost < bestCost) {
                best = candidate_;
                bestCost = cost;
            }
        }
    }
    return best;
}

}  // namespace kaz
