#include "render/arrangement_renderer.h"

#include <cstdint>
#include <limits>
#include <span>

namespace kaz {

namespace {

constexpr std::int32_t kNoteTag = 0;
constexpr std::uint8_t kChordsChannel = 0;
constexpr std::uint8_t kBassChannel = 1;

//! Resolve how the chart spells B, store it back for transposition, and correct German charts.
void ResolveBNotation(ScoreTree& score, NotationMode setting) {
    score.bLettersSeen = ResolveNotation(score.bLettersSeen, setting);
    // The analysis read every "B" as B natural; in German it is B flat.
    if (score.bLettersSeen == kGermanNotation) {
        LowerGermanBChords(score);
    }
}

class Renderer {
  public:
    Renderer(const VoiceSettings& voices, EventList& events) : voices_(voices), events_(events) {}

    [[nodiscard]] Ticks End() const { return static_cast<Ticks>(sum_); }

    //! Play one measure slot from time sum. False when the slot would end past the last tick a song can
    //! reach, so the performance ends before it.
    bool PlayMeasure(const Measure& slot) {
        const Measure& source = *slot.source;
        if (sum_ + source.ticks > std::numeric_limits<Ticks>::max()) {
            return false;
        }
        const auto start = static_cast<Ticks>(sum_);
        // Every event of this measure and the ones after it comes at its start or later.
        events_.Advance(start);
        if (slot.repeatEnd != 0) {
            events_.AddHighlight(slot.repeatStart, slot.repeatEnd, start);
        }
        EmitMeterChange(source, start);
        PlayChords(source, start, &slot == &source);
        sum_ += source.ticks;
        return true;
    }

  private:
    void EmitMeterChange(const Measure& source, Ticks start) {
        if (source.meterNum == meterNum_ && source.meterDen == meterDen_) {
            return;
        }
        meterNum_ = source.meterNum;
        meterDen_ = source.meterDen;
        events_.AddEvent(MidiEvent::TimeSignature(start, meterNum_, meterDen_));
    }

    void PlayChords(const Measure& source, Ticks start, bool highlightChords) {
        const auto count = static_cast<std::int64_t>(source.chords.size());
        if (count == 0) {
            events_.ReleaseNoteOffs(kNoteTag);
            if (source.repeatEnd == 0) {
                events_.AddHighlight(0, 0, start);
            }
            return;
        }
        const Ticks slotTicks = static_cast<Ticks>(source.ticks / count);
        // Every note of the measure sounds nine tenths of its slot.
        const auto sounding = static_cast<Ticks>(slotTicks * 0.9);
        for (std::int64_t j = 0; j < count; ++j) {
            const Chord& chord = *source.chords[static_cast<std::size_t>(j)];
            // The product first, so the slots absorb the remainder of the division.
            const auto strike = static_cast<Ticks>(start + source.ticks * j / count);
            if (highlightChords) {
                events_.AddHighlight(chord.textStart, chord.textEnd, strike);
            }
            if (chord.text().starts_with('=')) {
                events_.RetimeNoteOffs(kNoteTag, strike + sounding);
            } else {
                Strike(chord, strike, strike + sounding);
            }
        }
    }

    void Strike(const Chord& chord, Ticks on, Ticks off) {
        events_.ReleaseNoteOffs(kNoteTag);
        if (chord.noteCount == 0) {
            return;
        }
        // notes[0] is the bass key, the rest the chord voice; the bass sounds first.
        const std::span<const std::int8_t> keys(chord.notes, static_cast<std::size_t>(chord.noteCount));
        if (voices_.bassEnabled) {
            events_.AddNotes(kNoteTag, kBassChannel, voices_.bassVolume, keys.first(1), on, off);
        }
        if (voices_.chordsEnabled) {
            events_.AddNotes(kNoteTag, kChordsChannel, voices_.chordsVolume, keys.subspan(1), on, off);
        }
    }

    const VoiceSettings& voices_;
    EventList& events_;
    std::int64_t sum_ = 0;
    // No meter emitted yet, so the first measure always writes one.
    std::int32_t meterNum_ = 0;
    std::int32_t meterDen_ = 0;
};

}  // namespace

bool RenderArrangement(ScoreTree& score, const RenderSettings& settings, EventList& events) {
    events.notesAdded = false;
    const std::int32_t tempo = score.tempoGiven ? score.scoreTempo : settings.transportTempo;
    events.AddEvent(MidiEvent::Tempo(0, tempo));
    events.AddEvent(MidiEvent::ProgramChange(0, kChordsChannel, settings.voices.chordsProgram));
    events.AddEvent(MidiEvent::ProgramChange(0, kBassChannel, settings.voices.bassProgram));
    ResolveBNotation(score, settings.notation);

    Renderer renderer(settings.voices, events);
    for (const PlayedMeasure& played : score.playOrder) {
        if (!renderer.PlayMeasure(score.Slot(played))) {
            break;
        }
    }
    events.AddEvent(MidiEvent::EndOfTrack(renderer.End()));
    events.Finish();
    return events.notesAdded;
}

void ClearScore(ScoreTree& score, EventList& events) {
    events.Clear();
    score.Clear();
}

}  // namespace kaz
