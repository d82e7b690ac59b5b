#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "harmony/chord_definitions.h"
#include "harmony/notation.h"
#include "harmony/score_tree.h"

namespace kaz {

enum class ChordAnalysis { Ok, Unknown, Ambiguous };

//! The voice of a built-in suffix: root, seventh, third and fifth above the voice's root key.
using VoiceOffsets = std::array<int, 4>;

struct FixedSuffix {
    std::string_view suffix;
    VoiceOffsets offsets;
};

//! The suffixes the general reader cannot spell, matched whole, in the order they are tried.
[[nodiscard]] std::span<const FixedSuffix> FixedSuffixes();

//! "N.C." or "NC": no chord, silent like a rest.
[[nodiscard]] constexpr bool IsNoChord(std::string_view symbol) {
    return symbol == "N.C." || symbol == "NC";
}

//! Fill chord from its symbol: names, pitch classes, bass key and chord voice. Reads and updates the
//! tree's bLettersSeen and lastChord; chord definitions come first, then the fixed suffixes, then the
//! general suffix reader.
[[nodiscard]] ChordAnalysis AnalyzeChord(Chord& chord, std::string_view text, ScoreTree& score,
                                         const ChordDefinitions& definitions);

//! The chords a parse has analysed, by symbol: a chart plays the same few chords over and over, and a symbol
//! met again is copied from the chord that first had it instead of being analysed again.
class AnalysedSymbols {
  public:
    //! A symbol analysed before: its chord, and the B spellings its names record (see SpellingOf).
    struct Known {
        const Chord* chord = nullptr;
        NotationMode spelling = 0;
    };

    //! The analysis of text, if a chord had it before; nullptr otherwise.
    [[nodiscard]] const Known* Find(std::string_view text) const {
        const Known& known = slots_[Slot(text)];
        return known.chord != nullptr && SameText(known.chord->text(), text) ? &known : nullptr;
    }
    //! Keep chord, which must stay where it is for the rest of the parse, as the analysis of its symbol.
    void Remember(const Chord& chord, NotationMode spelling) {
        slots_[Slot(chord.text())] = {&chord, spelling};
    }

  private:
    static constexpr std::size_t kSlots = 64;
    [[nodiscard]] static std::size_t Slot(std::string_view text) {
        std::size_t hash = text.size();
        for (const char c : text) {
            hash = hash * 31 + static_cast<unsigned char>(c);
        }
        return hash % kSlots;
    }
    //! A symbol is a few bytes long: comparing them one by one is quicker than a call to compare them.
    [[nodiscard]] static bool SameText(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) {
            return false;
        }
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (a[i] != b[i]) {
                return false;
            }
        }
        return true;
    }

    std::array<Known, kSlots> slots_{};
};

//! AnalyzeChord for a parse, which reads one symbol after another: a symbol met before takes the analysis
//! of the chord that had it, for the same result.
[[nodiscard]] ChordAnalysis AnalyzeChord(Chord& chord, std::string_view text, ScoreTree& score,
                                         const ChordDefinitions& definitions, AnalysedSymbols& symbols);

//! A chord written with a lowercase root, the German way of writing a minor chord ("d", "fis7").
[[nodiscard]] inline bool IsWrittenLowercase(const Chord& chord) {
    const std::string_view text = chord.text();
    return !text.empty() && text.front() >= 'a' && text.front() <= 'h';
}

//! The suffix of a chord named by its root as written between its root and its bass: "7" of "fis7/E", where
//! Chord::suffix is the "m7" it plays.
[[nodiscard]] std::string_view WrittenSuffix(const Chord& chord);

//! The general suffix reader: quality, one number, alterations. chord.rootPitch must be set.
[[nodiscard]] bool ParseChordSuffix(Chord& chord);
//! The general suffix reader on a suffix of its own; false when it cannot read it.
[[nodiscard]] bool ReadBuiltInSuffix(std::string_view suffix, VoiceOffsets& voice);

}  // namespace kaz
