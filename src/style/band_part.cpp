#include "style/band_part.h"

#include <algorithm>

namespace kaz {

const PartDefaults* PartDefaultsOf(std::string_view id) {
    for (const PartDefaults& part : kPartTable) {
        if (part.id == id) {
            return &part;
        }
    }
    return nullptr;
}

BandParts::BandParts() {
    for (const PartDefaults& defaults : kPartTable) {
        parts_.push_back({std::string(defaults.id), defaults.channel, {}, {}, {}, false, false});
    }
}

template <typename Parts>
auto& BandParts::Find(Parts& parts, std::string_view id) {
    const auto found =
        std::find_if(parts.begin(), parts.end(), [id](const Part& part) { return part.id == id; });
    // Every id the program asks for is in the table; an unknown one falls to the first part.
    return found != parts.end() ? *found : parts.front();
}

Part& BandParts::operator[](std::string_view id) {
    return Find(parts_, id);
}

const Part& BandParts::operator[](std::string_view id) const {
    return Find(parts_, id);
}

bool BandParts::Sounds(std::string_view id) const {
    const Part& part = (*this)[id];
    const bool anySolo =
        std::any_of(parts_.begin(), parts_.end(), [](const Part& other) { return other.solo; });
    return !part.muted && (!anySolo || part.solo);
}

bool BandParts::Plays(std::string_view id, std::uint8_t program) const {
    // General MIDI's keyboards come first (pianos, mallets, organs), then its guitars.
    constexpr std::uint8_t kFirstGuitar = 24;
    constexpr std::uint8_t kFirstBass = 32;
    switch (minusOne) {
        case MinusOne::Bass:
            if (id == "bass") {
                return false;
            }
            break;
        case MinusOne::Piano:
            if (id != "bass" && id != "drums" && program < kFirstGuitar) {
                return false;
            }
            break;
        case MinusOne::Guitar:
            if (id != "bass" && id != "drums" && program >= kFirstGuitar && program < kFirstBass) {
                return false;
            }
            break;
        case MinusOne::None:
            break;
    }
    return Sounds(id);
}

std::uint8_t BandParts::Program(std::string_view id) const {
    const PartDefaults* defaults = PartDefaultsOf(id);
    return (*this)[id].program.value_or(defaults != nullptr ? defaults->program : 0);
}

std::uint8_t BandParts::Volume(std::string_view id) const {
    const PartDefaults* defaults = PartDefaultsOf(id);
    return (*this)[id].volume.value_or(defaults != nullptr ? defaults->volume : 100);
}

}  // namespace kaz
