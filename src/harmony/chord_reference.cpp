#include "harmony/chord_reference.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "harmony/chord_aliases.h"
#include "harmony/chord_analysis.h"

namespace kaz {

namespace {

//! The name of a key of a chord on C; a minor third above a chord that has its major third too is the raised
//! ninth, D sharp.
std::string KeyName(int key, bool raisedNinth) {
    static constexpr std::array<std::string_view, 12> kNames{
        "C", "D\u266d", "D", "E\u266d", "E", "F", "F\u266f", "G", "A\u266d", "A", "B\u266d", "B"};
    const std::string_view name =
        raisedNinth && key % 12 == 3 ? "D\u266f" : kNames[static_cast<std::size_t>(key % 12)];
    return std::string(name) + std::to_string(key / 12 - 1);
}

//! The voice "C" + suffix plays, as the chord analysis reads it.
std::string Plays(std::string_view suffix) {
    ScoreTree score;
    const ChordDefinitions none;
    Chord chord;
    const std::string symbol = "C" + std::string(suffix);
    if (AnalyzeChord(chord, symbol, score, none) != ChordAnalysis::Ok) {
        return {};
    }
    const bool majorThird =
        std::any_of(chord.notes + 1, chord.notes + chord.noteCount, [](int key) { return key % 12 == 4; });
    std::string plays;
    for (int i = 1; i < chord.noteCount; ++i) {
        plays += (i > 1 ? " " : "") + KeyName(chord.notes[i], majorThird);
    }
    return plays;
}

ChordReferenceRow Row(std::string_view suffix) {
    std::string plays = Plays(suffix);
    return {"C" + std::string(suffix), plays, Message("%1", {plays})};
}

}  // namespace

std::vector<ChordReferenceSection> ChordReference() {
    std::vector<ChordReferenceSection> sections;
    ChordReferenceSection& builtIn = sections.emplace_back();
    builtIn.title = "Built-in suffixes";
    for (const std::string_view quality : {"", "m", "maj"}) {
        for (const std::string_view number : {"", "7", "6", "6add9", "9", "11", "13"}) {
            builtIn.rows.push_back(Row(std::string(quality) + std::string(number)));
        }
    }
    for (const FixedSuffix& fixed : FixedSuffixes()) {
        builtIn.rows.push_back(Row(fixed.suffix));
    }

    ChordReferenceSection& alterations = sections.emplace_back();
    alterations.title = "Alterations, after any built-in suffix";
    for (const std::string_view alteration : {"+5", "-5", "-7", "+7", "+9", "-9", "+11", "-13"}) {
        alterations.rows.push_back(Row("7" + std::string(alteration)));
    }

    ChordReferenceSection& everyday = sections.emplace_back();
    everyday.title = "Everyday spellings (alterations in any order, with or without parentheses)";
    for (const ChordAlias& alias : ChordAliases()) {
        everyday.rows.push_back(Row(alias.spelling));
    }

    ChordReferenceSection& words = sections.emplace_back();
    words.title = "Other ways to write them";
    for (const auto& list : {QualityWords(), ModifierWords()}) {
        for (const SpellingWord& word : list) {
            if (word.written != word.reads) {
                words.rows.push_back({std::string(word.written), "as " + std::string(word.reads),
                                      Message("as %1", {std::string(word.reads)})});
            }
        }
    }
    words.rows.push_back({"\u0394, ^, M, ma, \u00f8, h, alt alone",
                          "with the seventh they imply: C\u0394 is Cmaj7, "
                          "C\u00f8 Cm7b5, Calt C7alt",
                          "with the seventh they imply: C\u0394 is Cmaj7, C\u00f8 Cm7b5, Calt C7alt"});

    ChordReferenceSection& noChord = sections.emplace_back();
    noChord.title = "No chord";
    noChord.rows.push_back({"N.C., NC", "nothing, like a rest", "nothing, like a rest"});
    return sections;
}

}  // namespace kaz
