#include "style/comping_voicing.h"

#include <algorithm>
#include <cstdlib>

namespace kaz {

namespace {

// Intervals above the root.
constexpr std::int32_t kFlatNine = 1;
constexpr std::int32_t kNine = 2;
constexpr std::int32_t kSharpNine = 3;
constexpr std::int32_t kFlatFive = 6;
constexpr std::int32_t kFifth = 7;
constexpr std::int32_t kSharpFive = 8;
constexpr std::int32_t kThirteen = 9;

//! Where an instrument plays a voicing: its lowest and highest key, and where a first chord is centred.
struct Register {
    std::int32_t lowest;
    std::int32_t highest;
    std::int32_t centre;
};

Register RegisterOf(Voicing voicing) {
    switch (voicing) {
        case Voicing::Close:
            return {kLowestCompKey, kHighestCompKey, 62};
        case Voicing::Rootless:
            return {48, 76, 61};  // a pianist's left hand, around middle C
        case Voicing::Drop2:
            return {45, 76, 59};
        case Voicing::Shell:
        case Voicing::Power:
            return {40, 79, 52};  // the root on the guitar's two lowest strings
        case Voicing::High:
            return {62, 86, 72};
        case Voicing::Pad:
            return {43, 84, 62};
    }
    return {kLowestCompKey, kHighestCompKey, 62};
}

void AddOnce(std::vector<std::int32_t>& intervals, std::int32_t interval) {
    if (interval >= 0 && std::find(intervals.begin(), intervals.end(), interval) == intervals.end()) {
        intervals.push_back(interval);
    }
}

//! The intervals a voicing of kind sounds, before they are laid out.
std::vector<std::int32_t> ChosenIntervals(const ChordAnatomy& chord, Voicing voicing) {
    std::vector<std::int32_t> tones = chord.Essentials();
    const bool triad = chord.seventh < 0;
    const bool seventhChord = chord.seventh >= 10;
    const auto fillTo = [&](std::size_t count) {
        if (tones.size() < count) {
            AddOnce(tones, chord.fifth);
        }
        if (tones.size() < count) {
            AddOnce(tones, 0);
        }
    };
    switch (voicing) {
        case Voicing::Close:
        case Voicing::Drop2:
            fillTo(4);
            break;
        case Voicing::Rootless:
        case Voicing::Pad:
            // The colours a pianist adds: the ninth, and the thirteenth on a dominant chord.
            if ((seventhChord || chord.seventh == kThirteen) && !chord.HasTension(kFlatNine) &&
                !chord.HasTension(kSharpNine) && !(chord.third == 3 && chord.fifth == kFlatFive)) {
                AddOnce(tones, kNine);
            }
            if (chord.Dominant() && chord.fifth == kFifth && !chord.HasTension(kSharpFive) &&
                tones.size() < 4) {
                AddOnce(tones, kThirteen);
            }
            fillTo(voicing == Voicing::Pad ? 5 : (triad ? 3 : 4));
            break;
        case Voicing::Shell:
            AddOnce(tones, 0);
            if (triad) {
                AddOnce(tones, chord.fifth);
            }
            break;
        case Voicing::Power:
            AddOnce(tones, 0);
            AddOnce(tones, chord.fifth < 0 ? kFifth : chord.fifth);
            if (triad && chord.fifth == kFifth) {
                std::erase(tones, chord.third);  // a triad's power chord: root and fifth alone
            }
            break;
        case Voicing::High:
            if (triad) {
                fillTo(3);
            } else if (tones.size() < 3 && chord.tensions.empty() && seventhChord && chord.third == 3) {
                AddOnce(tones, kNine);  // a minor ninth's sheen
            }
            break;
    }
    std::sort(tones.begin(), tones.end());
    return tones;
}

//! The orders, bottom to top, a voicing of kind lays intervals out in.
std::vector<std::vector<std::int32_t>> Orders(const ChordAnatomy& chord,
                                              const std::vector<std::int32_t>& tones, Voicing voicing) {
    std::vector<std::vector<std::int32_t>> orders;
    if (voicing == Voicing::Shell || voicing == Voicing::Power) {
        // The root at the bottom, then the chord's core, then the rest in close order.
        std::vector<std::int32_t> core{0};
        if (voicing == Voicing::Power) {
            core.push_back(chord.fifth < 0 ? kFifth : chord.fifth);
            core.push_back(0);
        }
        // A triad's shell is root, fifth and tenth; a seventh chord's root, seventh and third or root, third
        // and seventh.
        const std::int32_t upper = chord.seventh >= 0 ? chord.seventh : chord.fifth;
        for (const bool upperFirst : {true, false}) {
            std::vector<std::int32_t> order = core;
            for (const std::int32_t tone :
                 {upperFirst ? upper : chord.third, upperFirst ? chord.third : upper}) {
                if (tone > 0 && std::find(tones.begin(), tones.end(), tone) != tones.end() &&
                    std::find(order.begin() + 1, order.end(), tone) == order.end()) {
                    order.push_back(tone);
                }
            }
            for (const std::int32_t tone : tones) {
                if (tone != 0 && std::find(order.begin(), order.end(), tone) == order.end()) {
                    order.push_back(tone);
                }
            }
            orders.push_back(std::move(order));
        }
        return orders;
    }
    for (std::size_t rotation = 0; rotation < tones.size(); ++rotation) {
        // A pianist's rootless shapes start on the third or the seventh.
        if (voicing == Voicing::Rootless && chord.third >= 0 && chord.seventh >= 0 &&
            tones[rotation] != chord.third && tones[rotation] != chord.seventh) {
            continue;
        }
        std::vector<std::int32_t> order;
        for (std::size_t i = 0; i < tones.size(); ++i) {
            order.push_back(tones[(rotation + i) % tones.size()]);
        }
        orders.push_back(std::move(order));
    }
    return orders;
}

//! order stacked from low upwards, each tone the nearest above the one below it, then opened as voicing
//! opens a close chord: drop-2 moves the second voice from the top an octave down, a pad also the fourth.
std::vector<std::int32_t> Stack(std::int32_t low, std::int32_t root, const std::vector<std::int32_t>& order,
                                Voicing voicing) {
    std::vector<std::int32_t> keys{low};
    for (std::size_t i = 1; i < order.size(); ++i) {
        std::int32_t key = keys.back() + 1;
        while (ChordTones::PitchClass(key - root - order[i]) != 0) {
            ++key;
        }
        keys.push_back(key);
    }
    const auto drop = [&keys](std::size_t fromTop) {
        if (keys.size() >= fromTop + 1) {
            keys[keys.size() - fromTop] -= 12;
        }
    };
    if (voicing == Voicing::Drop2 && keys.size() >= 4) {
        drop(2);
    } else if (voicing == Voicing::Pad && keys.size() >= 4) {
        drop(2);
        drop(4);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
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

std::int32_t DistanceFromCentre(const std::vector<std::int32_t>& voicing, std::int32_t centre) {
    std::int32_t sum = 0;
    for (const std::int32_t key : voicing) {
        sum += key;
    }
    return std::abs(sum - centre * static_cast<std::int32_t>(voicing.size())) /
           static_cast<std::int32_t>(voicing.size());
}

}  // namespace

ChordAnatomy ChordAnatomy::Of(const ChordTones& chord) {
    ChordAnatomy anatomy;
    anatomy.root = chord.root;
    const auto has = [&chord](std::int32_t interval) { return chord.Has(chord.root + interval); };
    anatomy.third = has(4) ? 4 : (has(3) ? 3 : -1);
    anatomy.seventh = has(10) ? 10 : (has(11) ? 11 : (has(9) ? 9 : -1));
    anatomy.fifth = has(kFifth) ? kFifth : (has(kFlatFive) ? kFlatFive : (has(kSharpFive) ? kSharpFive : -1));
    for (std::int32_t interval = 1; interval < 12; ++interval) {
        if (has(interval) && interval != anatomy.third && interval != anatomy.seventh &&
            interval != anatomy.fifth) {
            anatomy.tensions.push_back(interval);
        }
    }
    return anatomy;
}

bool ChordAnatomy::HasTension(std::int32_t interval) const {
    return std::find(tensions.begin(), tensions.end(), interval) != tensions.end();
}

std::vector<std::int32_t> ChordAnatomy::Essentials() const {
    std::vector<std::int32_t> tones;
    AddOnce(tones, third);
    AddOnce(tones, seventh);
    if (fifth != kFifth) {
        AddOnce(tones, fifth);
    }
    for (const std::int32_t tension : tensions) {
        AddOnce(tones, tension);
    }
    if (tones.empty()) {
        AddOnce(tones, 0);  // a lone root, or a root and fifth
    }
    return tones;
}

const std::vector<std::int32_t>& CompingVoicing::Voice(const ChordTones& chord) {
    key_.assign(1, static_cast<char>(chord.root));
    key_.push_back(static_cast<char>(chord.classes & 0xFF));
    key_.push_back(static_cast<char>(chord.classes >> 8));
    for (const std::int32_t voice : last_) {
        key_.push_back(static_cast<char>(voice));
    }
    const auto found = known_.find(key_);
    if (found != known_.end()) {
        last_ = found->second;
    } else {
        last_ = Lead(chord);
        known_.emplace(key_, last_);
    }
    return last_;
}

std::vector<std::int32_t> CompingVoicing::Lead(const ChordTones& chord) const {
    if (chord.classes == 0) {
        return {};
    }
    const ChordAnatomy anatomy = ChordAnatomy::Of(chord);
    const std::vector<std::int32_t> tones = ChosenIntervals(anatomy, voicing_);
    std::vector<std::int32_t> best;
    // The instrument's own register; should a chord of many tones not fit in it, a wider one.
    for (const Register reach : {RegisterOf(voicing_), Register{36, 96, RegisterOf(voicing_).centre}}) {
        std::int32_t bestCost = 0;
        for (const std::vector<std::int32_t>& order : Orders(anatomy, tones, voicing_)) {
            for (std::int32_t low = reach.lowest - 12; low <= reach.highest; ++low) {
                if (ChordTones::PitchClass(low - chord.root - order.front()) != 0) {
                    continue;
                }
                const std::vector<std::int32_t> keys = Stack(low, chord.root, order, voicing_);
                if (keys.front() < reach.lowest || keys.back() > reach.highest) {
                    continue;
                }
                // Least movement first; the pull to the middle keeps a long song from drifting to an edge.
                const std::int32_t centre = DistanceFromCentre(keys, reach.centre);
                const std::int32_t cost = last_.empty() ? centre : Movement(keys, last_) * 4 + centre * 3;
                if (best.empty() || cost < bestCost) {
                    best = keys;
                    bestCost = cost;
                }
            }
        }
        if (!best.empty()) {
            break;
        }
    }
    return best;
}

}  // namespace kaz
