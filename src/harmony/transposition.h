#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_range.h"
#include "harmony/musical_key.h"
#include "harmony/notation.h"
#include "harmony/score_tree.h"
#include "harmony/spliced_text.h"

namespace kaz {

inline constexpr int kPitchClassCount = 12;

//! Pitch class (-8 .. 3 as the chords keep it) moved by shift semitones, as an index 0..11.
[[nodiscard]] int MovedPitchClass(int pitch, int shift);

//! How a pitch class is written: it has one name only, or the user chose its sharp or its flat name.
enum class Spelling : std::uint8_t { Natural = 0, Sharp = 1, Flat = 2 };

//! The names transposition writes, indexed by pitch class (0 = C), and the user's choice between the two
//! names of every black key. The program keeps one for its run, so a transposition offers the choices
//! made in the one before; nothing of it is saved.
struct NoteNameTables {
    std::array<std::string_view, kPitchClassCount> sharpNames{"C",  "C#", "D",  "D#", "E",  "F",
                                                              "F#", "G",  "G#", "A",  "A#", "B"};
    std::array<std::string_view, kPitchClassCount> flatNames{"",   "Db", "",   "Eb", "",   "",
                                                             "Gb", "",   "Ab", "",   "Bb", ""};
    std::array<Spelling, kPitchClassCount> spellingChoice{
        Spelling::Natural, Spelling::Sharp,   Spelling::Natural, Spelling::Flat,
        Spelling::Natural, Spelling::Natural, Spelling::Sharp,   Spelling::Natural,
        Spelling::Flat,    Spelling::Natural, Spelling::Flat,    Spelling::Natural};

    //! Write B and B flat the way a chart in the resolved notation does: English "B" and "Bb", German "H"
    //! and "B", mixed "H" and "Bb".
    void FollowNotation(NotationMode resolved);
    //! The name of pitchClass (0..11) under the current choice.
    [[nodiscard]] std::string_view ChosenName(int pitchClass) const;
};

//! What the Transpose dialog hands back on OK.
struct TransposeResult {
    int shift = 0;                                    //!< semitones, -5..6
    std::array<std::string, kPitchClassCount> names;  //!< the name written for every pitch class
    //! Spell every chord with the sharps or flats of the key it is in, moved along, instead of by names.
    bool byKey = false;
};

//! What a transposition is offered on: the notation the chart was read in and the key it is in.
struct TransposeOffer {
    NotationMode resolved = kEnglishNotation;
    MusicalKey key;          //!< its first key mark's, or the key heard from its chords
    bool keyMarked = false;  //!< it has a key mark, so it is spelled by key whatever is chosen
};

//! The Transpose dialog without its widgets: the shift list, the twelve rows of source pitch class,
//! target names and check marks, and what OK returns. A window only shows this state and forwards the
//! user's selections and clicks to it. The spelling buttons change the tables' choices in place.
class TransposeDialogModel {
  public:
    static constexpr int kEntryCount = 12;
    //! The entry selected when the dialog opens: no shift.
    static constexpr int kUnshiftedEntry = 5;
    //! The shift list, in order; entry k shifts by k - 5 semitones.
    static constexpr std::array<std::string_view, kEntryCount> kShiftEntries{
        "-5   (C > G)",  "-4   (C > Ab)", "-3   (C > A)",  "-2   (C > Bb)", "-1   (C > B)", "0",
        "+1   (C > C#)", "+2   (C > D)",  "+3   (C > Eb)", "+4   (C > E)",  "+5   (C > F)", "+6   (C > F#)"};

    //! One row: source pitch class i moves to a target, written with the first or the second button's name.
    struct Row {
        std::string_view label;        //!< the source pitch class, e.g. "C#/Db"
        std::string_view sharpButton;  //!< the first button: the target's natural or sharp name
        std::string_view flatButton;   //!< the second button: the target's flat name
        bool flatShown = false;        //!< the second button exists only for a target with two names
        bool sharpChecked = true;
        bool flatChecked = false;
    };

    //! Open on a chart of the resolved notation: set the B names of tables, label the rows, select no shift.
    TransposeDialogModel(NoteNameTables& tables, NotationMode resolved);
    //! Open on the chart offer describes; a chart with a key mark is spelled by key.
    TransposeDialogModel(NoteNameTables& tables, const TransposeOffer& offer);

    //! The key the chart moves to with each entry of the shift list: "E", "C#m".
    [[nodiscard]] std::array<std::string, kEntryCount> KeyEntries() const;
    //! Choose the key to move to, an entry of KeyEntries: its shift, spelled by key.
    void SelectKey(int entry);
    [[nodiscard]] bool SpellByKey() const { return byKey_; }
    //! Spell by key, or by the rows' choices; a chart with a key mark is always spelled by key.
    void SetSpellByKey(bool byKey);
    //! Whether the choice between spelling by key and by the rows is the user's.
    [[nodiscard]] bool SpellingChosen() const { return !offer_.keyMarked; }

    [[nodiscard]] int SelectedEntry() const { return selectedEntry_; }
    [[nodiscard]] int Shift() const { return selectedEntry_ - kUnshiftedEntry; }
    //! Select an entry of the shift list and relabel the rows; an index outside the list is ignored.
    void SelectEntry(int entry);

    [[nodiscard]] const std::array<Row, kPitchClassCount>& Rows() const { return rows_; }
    //! A click on either button of a row swaps its target's spelling; a row whose target is a natural
    //! ignores it.
    void ClickRow(int row);

    //! OK: the selected shift and the chosen name of every pitch class.
    [[nodiscard]] TransposeResult Accept() const;

  private:
    [[nodiscard]] int TargetOf(int row) const;
    void Relabel();
    void SetChecks(Row& row, int target);

    NoteNameTables& tables_;
    TransposeOffer offer_;
    bool byKey_ = false;
    int selectedEntry_ = kUnshiftedEntry;
    std::array<Row, kPitchClassCount> rows_;
};

//! A chord symbol moved by shift semitones: its root and bass named from names, its suffix as written.
[[nodiscard]] std::string TransposedSymbol(const Chord& chord, int shift,
                                           const std::array<std::string, kPitchClassCount>& names);

//! Where a rewrite goes: replace range of the text as rewritten so far with replacement.
using TextReplacer = std::function<void(TextRange range, std::string_view replacement)>;

//! Rewrite every chord symbol of chords through replace: root and slash bass moved by shift semitones and
//! written with names (indexed by pitch class), the suffix as it was. Signs ("/", "-", "=") stay. chords must
//! be the chords of a compile of the text, in text order; each replacement is made at the symbol's compiled
//! range moved by the growth of the replacements before it.
void ApplyTransposition(const TextReplacer& replace, const RecordList<Chord>& chords, int shift,
                        const std::array<std::string, kPitchClassCount>& names);
//! The same into text, the text the chords were compiled from.
void ApplyTransposition(SplicedText& text, const RecordList<Chord>& chords, int shift,
                        const std::array<std::string, kPitchClassCount>& names);

//! Rewrite every chord symbol of score in text, moved by shift semitones and spelled with the sharps or
//! flats of the key it is in, moved along: each key mark's from the mark on (the first one's from the
//! start), or for a chart without marks the key heard from its chords. The key marks move too. text is
//! the text score was compiled from, under the notation setting; the chart stays in its notation.
void ApplyKeyTransposition(SplicedText& text, const ScoreTree& score, int shift, NotationMode setting);

//! Write every name of names with a German accidental ("F#" as "Fis", "Eb" as "Es"), as a chart that writes
//! its chords the German way is transposed.
void WriteGermanNames(std::array<std::string, kPitchClassCount>& names);

//! Keep the rewritten chart in the notation it was read in. A chart whose only B spelling is a bare "B"
//! takes its notation from the user's setting, so when the rewrite with names would leave such a chart
//! and setting would read it otherwise (a German chart whose "H" chords moved away, under the English
//! setting), that "B" is written the one way every notation reads alike: B flat of a German chart as "A#",
//! B of an English chart as "H". Otherwise names stay as they are.
void KeepNotationReadable(std::array<std::string, kPitchClassCount>& names, const RecordList<Chord>& chords,
                          int shift, NotationMode resolved, NotationMode setting);

}  // namespace kaz
