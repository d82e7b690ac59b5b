#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kaz {

//! A chord suffix as musicians write it every day, in its one written form, with the voice it plays:
//! semitones above the voice's root key, root first, low to high.
struct ChordAlias {
    std::string_view spelling;
    std::array<std::int8_t, 6> offsets;
    std::int8_t count;

    [[nodiscard]] std::span<const std::int8_t> Voice() const {
        return {offsets.data(), static_cast<std::size_t>(count)};
    }
};

//! Another way to write a part of a suffix, and the part it is read as ("Δ" as "maj", "-9" as "b9").
struct SpellingWord {
    std::string_view written;
    std::string_view reads;
};

//! The everyday suffixes the built-in readers cannot read, in their written form.
[[nodiscard]] std::span<const ChordAlias> ChordAliases();
//! The written forms of the qualities, in the order they are tried: major seventh, minor, half-diminished,
//! diminished and augmented words.
[[nodiscard]] std::span<const SpellingWord> QualityWords();
//! The alterations, sus and add words after the quality and the number.
[[nodiscard]] std::span<const SpellingWord> ModifierWords();

//! The written form of an everyday suffix: parentheses dropped, quality words and alterations replaced by
//! their written form, alterations in the order of their degrees, an implied seventh written out ("ø" is
//! "m7b5", "CΔ" "maj7", "alt" "7alt"). Nothing when the suffix is not made of those words.
[[nodiscard]] std::optional<std::string> WrittenForm(std::string_view suffix);

//! The alias of a written form, or nullptr.
[[nodiscard]] const ChordAlias* FindChordAlias(std::string_view writtenForm);

}  // namespace kaz
