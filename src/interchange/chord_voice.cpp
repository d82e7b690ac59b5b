#include "interchange/chord_voice.h"

#include <algorithm>
#include <string>

#include "harmony/chord_analysis.h"

namespace kaz {

std::optional<ChordVoice> VoiceOfSuffix(std::string_view suffix) {
    ScoreTree score;
    Chord chord;
    if (AnalyzeChord(chord, "C" + std::string(suffix), score, ChordDefinitions()) != ChordAnalysis::Ok) {
        return std::nullopt;
    }
    return ChordVoice(chord.notes + 1, chord.notes + std::max<int>(chord.noteCount, 1));
}

}  // namespace kaz
