#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/record_list.h"
#include "harmony/german_names.h"
#include "harmony/notation.h"
#include "harmony/score_tree.h"

namespace kaz {

//! Whether a key writes its black keys as its signature does, or as its tonic is written: a chart in
//! "F#" writes sharps where the signature of G flat, the same key, has flats.
enum class KeyAccidentals : std::uint8_t { OfSignature, Sharps, Flats };

//! A key: its tonic's pitch class 0..11, major or minor.
struct MusicalKey {
    int tonic = 0;
    bool minor = false;
    KeyAccidentals accidentals = KeyAccidentals::OfSignature;
    friend bool operator==(const MusicalKey&, const MusicalKey&) = default;
};

//! The names of the twelve pitch classes in key: the flat names in a key whose signature has flats, the
//! sharp names in one with sharps (or those its tonic was written with), the program's usual choice in
//! C major and A minor; a minor key's leading note is sharp. B and B flat are written as the resolved
//! notation writes them.
[[nodiscard]] std::array<std::string, 12> KeySpellings(MusicalKey key, NotationMode resolved);

//! A key as a chart writes it in a key mark: a note name, English or German, then nothing or a word for
//! major or minor ("Eb", "F#m", "F# minor", "Es-Dur", "fis-Moll"); a lowercase note alone is minor ("fis").
struct WrittenKey {
    WrittenNoteName note;
    bool minor = false;
};
[[nodiscard]] std::optional<WrittenKey> ReadWrittenKey(std::string_view text);

//! key moved by shift semitones; written with the accidentals of its new signature unless it stays where
//! it is.
[[nodiscard]] MusicalKey MovedKey(MusicalKey key, int shift);

//! The key of a key mark in a chart read in the resolved notation, where "B" may be B flat.
[[nodiscard]] MusicalKey KeyOfMark(const KeyMark& mark, NotationMode resolved);

//! The key the chart says it is in, its first key mark; the key heard from its chords without one.
[[nodiscard]] MusicalKey KeyOfScore(const ScoreTree& score);

//! The key a chart is in, as a musician hears it from its chords: the key whose scale holds the most chords
//! in their own quality, whose dominant leads home, and whose tonic chord opens and above all ends the song.
//! A song that ends on a turnaround (D … A7) stays in its home key; a blues of dominant sevenths stays on
//! its first chord. On a tie the last chord decides, as songs end at home; C major for a chart without
//! chords.
[[nodiscard]] MusicalKey KeyOfChart(const RecordList<Chord>& chords);

}  // namespace kaz
